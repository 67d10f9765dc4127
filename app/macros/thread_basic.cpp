// The worker thread's loop and its sleeps.
#include "macros/thread_basic.h"

CThreadBasic::~CThreadBasic() { StopAndJoin(); }

bool CThreadBasic::Start() {
  std::lock_guard lock(m_state_lock);
  if (m_running || m_thread.joinable()) return false;
  m_running = true;
  m_woken = false;
  m_finished = false;
  m_start_tick = std::chrono::steady_clock::now();
  m_thread = std::thread(&CThreadBasic::ThreadProc, this);
  return true;
}

bool CThreadBasic::Stop(std::chrono::milliseconds wait) {
  {
    std::unique_lock lock(m_state_lock);
    if (!m_thread.joinable()) return true;
    m_running = false;
    m_wake_cv.notify_all();
    if (!m_finished_cv.wait_for(lock, wait, [this] { return m_finished; })) return false;
  }
  m_thread.join();
  return true;
}

void CThreadBasic::StopAndJoin() {
  {
    std::lock_guard lock(m_state_lock);
    m_running = false;
    m_wake_cv.notify_all();
  }
  if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
}

bool CThreadBasic::IsRunning() const {
  std::lock_guard lock(m_state_lock);
  return m_running;
}

void CThreadBasic::Wake() {
  std::lock_guard lock(m_state_lock);
  m_woken = true;
  m_wake_cv.notify_all();
}

void CThreadBasic::ThreadProc() {
  std::unique_lock lock(m_state_lock);
  while (m_running) {
    m_woken = false;
    lock.unlock();
    RunStep();
    const NextStep next = NextStepAfter();
    lock.lock();
    const auto wake = [this] { return m_woken || !m_running; };
    if (next == NextStep::kAfterPeriod) {
      m_wake_cv.wait_for(lock, kPeriod, wake);
    } else if (next == NextStep::kWhenWoken) {
      m_wake_cv.wait(lock, wake);
    }
  }
  m_finished = true;
  m_finished_cv.notify_all();
}
