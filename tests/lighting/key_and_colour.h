// Key colours as comparable (key code, colour) pairs for expectations.
#pragma once

#include <utility>

#include "device/light_commands.h"

inline std::pair<int, COLORREF> KeyAndColour(const KeyColour& k) {
  return {k.key_code, k.rgb};
}
inline std::pair<int, COLORREF> KeyAndColour(int key_code, COLORREF rgb) {
  return {key_code, rgb};
}
