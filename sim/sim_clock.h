// A clock whose sleeps only advance its own time: byte-level tests and
// `--simulate` runs of long downloads need not wait for the protocol's pauses,
// while the recorded timestamps still show every pause exactly.
#pragma once

#include <atomic>

#include "device/clock.h"

class VirtualClock final : public Clock {
 public:
  std::chrono::microseconds Now() const override {
    return std::chrono::microseconds(m_now_us.load());
  }
  void SleepFor(std::chrono::microseconds duration) override {
    if (duration.count() > 0) m_now_us += duration.count();
  }

 private:
  std::atomic<long long> m_now_us{0};
};
