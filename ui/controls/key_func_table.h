// The built-in items of KeyFuncControl: the function row and the 104 keys
// with their rectangles and USB HID keyboard usage ids.
#pragma once

#include <span>

#include "QorUI/types.h"

namespace controls {

struct KeyFuncEntry {
  const char* label;  // key items; empty for function items
  const char* icon;   // function items; empty for key items
  int item_data;
  CRect rect;
};

std::span<const KeyFuncEntry> KeyFuncTable();

}  // namespace controls
