// The worker: the one thread that talks to the keyboard and plays software input. Each cycle runs
// at most one job from the job queue and one item from the playback queue; while no job waits it
// may run the stream step of music or screen lighting. It sleeps while there is nothing to do and
// steps every 16 ms only while frames are to be streamed.
#pragma once

#include <functional>
#include <string>

#include "device/clock.h"
#include "device/connection_host.h"
#include "macros/job_table.h"
#include "macros/macro_player.h"
#include "macros/thread_basic.h"
#include "macros/worker_queues.h"
#include "vkeyboard/key_handler.h"

// What the worker needs from the main window. Called on the worker thread: the flags are read
// from state the window keeps thread-safe, and the two window operations post to the window
// thread rather than touch its controls.
class WorkerHost {
 public:
  virtual ~WorkerHost() = default;
  virtual bool IsKeyboardAttached() = 0;
  virtual bool IsKeyboardConnected() = 0;
  // The window is visible on the lighting tab, the device type is below 200 and the current
  // light mode is music or screen lighting. The window calls Worker::Wake when this changes.
  virtual bool WantsStreamFrames() = 0;
  virtual void SetWindowEnabled(bool enabled) = 0;
  // Closes the current wait dialog; false when none is open.
  virtual bool CloseWaitDialog() = 0;
};

class Worker final : public CThreadBasic, public WorkerJobSink, public MacroRunQueueSink {
 public:
  // Pause after closing a wait dialog, before the next step.
  static constexpr std::chrono::milliseconds kWaitDialogPause{100};

  Worker(const JobTable& jobs, WorkerHost& host, MacroPlayer& player, Clock& clock);
  ~Worker() override;

  // Window thread.
  void EnqueueJob(int code) override;
  // Key filter monitor thread.
  void EnqueueMacro(int macro_id) override;
  // Any thread: types `text` through the clipboard (the type-a-text key action).
  void EnqueuePaste(std::string text);
  // The stream step of music and screen lighting; empty for none.
  void SetStreamStep(std::function<void()> step);

  // One cycle, on the calling thread (the thread runs these; tests may too).
  void RunCycle();

 protected:
  void RunStep() override { RunCycle(); }
  NextStep NextStepAfter() override;

 private:
  void RunJob(int code);
  void CloseWaitDialog();

  const JobTable& m_jobs;
  WorkerHost& m_host;
  MacroPlayer& m_player;
  Clock& m_clock;
  JobQueue m_job_queue;
  PlaybackQueue m_playback;
  // Guards the stream step, which the window may set while the worker runs.
  std::mutex m_stream_lock;
  std::function<void()> m_stream_step;
  // Codes whose once-per-run job has run; only the worker thread touches it.
  std::map<int, bool> m_done_once;
};
