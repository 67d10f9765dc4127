// The steady clock and its precise sleeps.
#include "device/clock.h"

#include <sys/prctl.h>

#include <thread>

std::chrono::microseconds SteadyClock::Now() const {
  return std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyClock::SleepFor(std::chrono::microseconds duration) {
  // The default slack of 50 us would add up to several percent over a stream
  // frame's six 1 ms pauses.
  thread_local const bool slack_lowered = prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0) == 0;
  (void)slack_lowered;
  std::this_thread::sleep_until(std::chrono::steady_clock::now() + duration);
}

SteadyClock& SteadyClock::Get() {
  static SteadyClock clock;
  return clock;
}
