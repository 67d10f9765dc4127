// CThreadBasic: the worker thread base. The thread runs one step, then sleeps until it is woken,
// until the period has passed, or not at all, as the derived class says after each step, so a
// worker with nothing to do costs nothing and one that is woken reacts at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class CThreadBasic {
 public:
  static constexpr std::chrono::milliseconds kPeriod{16};
  static constexpr std::chrono::milliseconds kStopWait{1000};

  CThreadBasic() = default;
  // A derived class calls StopAndJoin in its own destructor, while its step can still run.
  virtual ~CThreadBasic();
  CThreadBasic(const CThreadBasic&) = delete;
  CThreadBasic& operator=(const CThreadBasic&) = delete;

  // Starts the thread; false when it already runs.
  bool Start();
  // Clears the running flag, wakes the thread and waits up to `wait` for it to finish its step;
  // true when it finished (it is then joined). A thread still busy is joined by the destructor.
  bool Stop(std::chrono::milliseconds wait = kStopWait);
  // Stops the thread and waits for it however long its step takes.
  void StopAndJoin();
  bool IsRunning() const;
  // Makes a sleeping thread run its next step now (and one that is busy run it right after).
  void Wake();
  // When Start was called.
  std::chrono::steady_clock::time_point StartTick() const { return m_start_tick; }

 protected:
  enum class NextStep {
    kNow,          // more work is waiting
    kAfterPeriod,  // run again one period after this step, or earlier when woken
    kWhenWoken,    // sleep until woken
  };
  virtual void RunStep() = 0;
  // Asked after each step.
  virtual NextStep NextStepAfter() = 0;

 private:
  void ThreadProc();

  // Guards the flags and the finished signal below; the wake-up and the finished conditions
  // wait on it.
  mutable std::mutex m_state_lock;
  std::condition_variable m_wake_cv;
  std::condition_variable m_finished_cv;
  bool m_running = false;
  bool m_woken = false;
  bool m_finished = false;
  std::chrono::steady_clock::time_point m_start_tick;
  std::thread m_thread;
};
