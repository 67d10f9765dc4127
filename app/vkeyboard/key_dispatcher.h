// The dispatch of a filtered key as a pure engine: the key's assignment, whether it went down or
// up and the current time in; the virtual-keyboard writes to make (with their due times), the
// macro to queue or the software action to run out. Nothing here touches a device or a clock.
#pragma once

#include <chrono>
#include <vector>

#include "store/store_rows.h"
#include "vkeyboard/virtual_action.h"

struct KeyDispatch {
  // In order, due times never decreasing; the virtual device must be open to send them.
  std::vector<VirtualAction> actions;
  // A macro id for the macro run queue, 0 for none.
  int macro_id = 0;
  // The t_key_otherdata id of a software key action (open a program or link, type a text,
  // switch profile), 0 for none.
  int software_action = 0;

  bool Empty() const { return actions.empty() && macro_id == 0 && software_action == 0; }
};

// Kinds 2 (key or program function), 5 (mouse button) and, on press only, 7 (shortcut, then
// every report released), 3 (macro) and 8 to 11 (software actions); every other kind gives
// nothing, so a disabled key only disappears.
KeyDispatch DispatchKey(const KeyAssignmentRow& assignment, bool pressed,
                        std::chrono::microseconds now);

// The button bit of the mouse report for an assignment's mouse value (1 left, 2 middle,
// 3 right, 7 fifth, 8 fourth); -1 for any other value.
int MouseButtonBit(int value);
