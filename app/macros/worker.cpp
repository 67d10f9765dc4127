// The worker cycle.
#include "macros/worker.h"

Worker::Worker(const JobTable& jobs, WorkerHost& host, MacroPlayer& player, Clock& clock)
    : m_jobs(jobs), m_host(host), m_player(player), m_clock(clock) {}

// Waits for a step however long it runs: the step uses the members destroyed after this.
Worker::~Worker() {
  StopAndJoin();
}

void Worker::EnqueueJob(int code) {
  m_job_queue.Push(code);
  Wake();
}

void Worker::EnqueueMacro(int macro_id) {
  m_playback.Push({macro_id, {}});
  Wake();
}

void Worker::EnqueuePaste(std::string text) {
  m_playback.Push({0, std::move(text)});
  Wake();
}

void Worker::SetStreamStep(std::function<void()> step) {
  {
    std::lock_guard lock(m_stream_lock);
    m_stream_step = std::move(step);
  }
  Wake();
}

void Worker::RunCycle() {
  if (const std::optional<int> code = m_job_queue.Front()) {
    const WorkerJob* job = m_jobs.Find(*code);
    if ((!job || job->needs_keyboard) &&
        !(m_host.IsKeyboardAttached() && m_host.IsKeyboardConnected())) {
      // Without a keyboard the job is dropped; its wait dialog must still end.
      m_job_queue.PopFront();
      if (job && job->closes_wait_dialog) CloseWaitDialog();
      return;
    }
    RunJob(*code);
    m_job_queue.PopFront();
  } else if (m_host.IsKeyboardAttached() && m_host.WantsStreamFrames()) {
    std::lock_guard lock(m_stream_lock);
    if (m_stream_step) m_stream_step();
  }
  if (std::optional<PlaybackItem> item = m_playback.PopFront()) {
    if (item->macro_id != 0) {
      m_player.PlayMacro(item->macro_id);
    } else {
      m_player.PasteText(item->text);
    }
  }
}

void Worker::RunJob(int code) {
  const WorkerJob* job = m_jobs.Find(code);
  const bool device_job = !job || job->needs_keyboard;
  if (device_job) m_host.SetWindowEnabled(false);
  if (job && job->run && !(job->once_per_run && m_done_once[code])) {
    m_done_once[code] = true;
    job->run();
    if (job->closes_wait_dialog) CloseWaitDialog();
  }
  if (device_job) m_host.SetWindowEnabled(true);
}

void Worker::CloseWaitDialog() {
  if (m_host.CloseWaitDialog()) m_clock.SleepFor(kWaitDialogPause);
}

CThreadBasic::NextStep Worker::NextStepAfter() {
  if (!m_job_queue.Empty() || !m_playback.Empty()) return NextStep::kNow;
  std::lock_guard lock(m_stream_lock);
  if (m_stream_step && m_host.IsKeyboardAttached() && m_host.WantsStreamFrames()) {
    return NextStep::kAfterPeriod;
  }
  return NextStep::kWhenWoken;
}
