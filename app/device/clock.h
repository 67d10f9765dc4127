// Time as the device link sees it: a monotonic "now" for timestamps and the
// sleeps that pace the keyboard's firmware. Tests and the simulator may use a
// clock whose sleeps only advance a counter.
#pragma once

#include <chrono>

class Clock {
 public:
  virtual ~Clock() = default;
  // Time since an arbitrary fixed origin.
  virtual std::chrono::microseconds Now() const = 0;
  virtual void SleepFor(std::chrono::microseconds duration) = 0;

  void SleepMs(int ms) { SleepFor(std::chrono::milliseconds(ms)); }
};

// The steady clock. Sleeps end at a steady_clock deadline; the calling thread's
// timer slack is lowered once so that 1 ms pauses stay close to 1 ms.
class SteadyClock final : public Clock {
 public:
  std::chrono::microseconds Now() const override;
  void SleepFor(std::chrono::microseconds duration) override;

  // The process-wide instance.
  static SteadyClock& Get();
};
