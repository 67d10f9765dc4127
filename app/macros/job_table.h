// The worker's job table: what each job code does and how the worker treats it. Every part of the
// program that has worker jobs registers them here; a code without an entry is treated as a
// device job that does nothing.
#pragma once

#include <functional>
#include <map>

#include "device/connection_host.h"

// The job codes of the worker queue; the device link names 2, 3, 5 and 13 (connection_host.h)
// and the update jobs 12 to 15.
inline constexpr int kJobFirstSetup = 1;
inline constexpr int kJobNothing = 4;
inline constexpr int kJobSendKeyMap = 6;
inline constexpr int kJobSendLightMode = 7;
inline constexpr int kJobSendCustomColours = 8;
inline constexpr int kJobResetKeyboard = 10;

struct WorkerJob {
  std::function<void()> run;
  // False for the jobs that run whether or not a keyboard is there (1, 2, 3, 12); the others
  // are dropped while none is attached and connected, and run with the main window disabled.
  bool needs_keyboard = true;
  // The job ends by closing the wait dialog its handler opened; a dropped one closes it too.
  bool closes_wait_dialog = false;
  // Runs the first time only; later runs of the code do nothing.
  bool once_per_run = false;
};

class JobTable {
 public:
  void Set(int code, WorkerJob job) { m_jobs[code] = std::move(job); }
  // The entry of `code`, null when it has none.
  const WorkerJob* Find(int code) const {
    const auto it = m_jobs.find(code);
    return it == m_jobs.end() ? nullptr : &it->second;
  }

 private:
  std::map<int, WorkerJob> m_jobs;
};
