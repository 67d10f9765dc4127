// One evdev input event (type, code, value) as the virtual device writes it and the key filter
// reads it; the numbers are the kernel's input event codes.
#pragma once

#include <cstdint>

struct InputEvent {
  std::uint16_t type = 0;
  std::uint16_t code = 0;
  std::int32_t value = 0;

  bool operator==(const InputEvent&) const = default;
};

// The event types and codes the program itself writes (the kernel's values).
inline constexpr std::uint16_t kEventSyn = 0x00;
inline constexpr std::uint16_t kEventKey = 0x01;
inline constexpr std::uint16_t kSynReport = 0;
// A key event's value: released, pressed, or held down and repeating.
inline constexpr std::int32_t kKeyValueUp = 0;
inline constexpr std::int32_t kKeyValueDown = 1;
inline constexpr std::int32_t kKeyValueRepeat = 2;
