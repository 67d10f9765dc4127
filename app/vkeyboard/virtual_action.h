// One write to the virtual keyboard as the pure engines plan it: what to send and when, on a
// monotonic time axis in microseconds whose origin is the caller's.
#pragma once

#include <chrono>
#include <cstdint>

enum class VirtualActionKind : std::uint8_t {
  kKey,          // VHidev::Key(code, pressed)
  kConsumer,     // VHidev::Consumer(code, pressed)
  kMouseButton,  // VHidev::MouseButton(code, pressed)
  kReleaseAll,   // VHidev::ReleaseAll()
};

struct VirtualAction {
  std::chrono::microseconds due{0};
  VirtualActionKind kind = VirtualActionKind::kKey;
  int code = 0;
  bool pressed = false;

  bool operator==(const VirtualAction&) const = default;
};
