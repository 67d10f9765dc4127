// Which command family a model's device type selects.
#pragma once

enum class CommandFamily { kNone, kFamily1, kFamily2 };

constexpr CommandFamily CommandFamilyOf(int device_type) {
  if (device_type <= 200) return CommandFamily::kFamily1;
  if (device_type <= 299) return CommandFamily::kFamily2;
  return CommandFamily::kNone;
}
