// The fifteen built-in shortcuts that a key of assignment kind 7 types through the virtual
// keyboard: the keys of each, pressed in order and released in reverse, one step every 10 ms.
#pragma once

#include <chrono>
#include <vector>

#include "vkeyboard/virtual_action.h"

inline constexpr std::chrono::milliseconds kFunctionStepPause{10};

// The key presses and releases of shortcut `value` (1 to 15), the first due at `start` and each
// further one 10 ms after the one before; nothing for any other value.
std::vector<VirtualAction> FunctionSequence(int value, std::chrono::microseconds start);
