// Dispatch by assignment kind.
#include "vkeyboard/key_dispatcher.h"

#include "keys/assignment_kind.h"
#include "keys/key_codes.h"
#include "vkeyboard/function_sequences.h"

int MouseButtonBit(int value) {
  switch (value) {
    case 1:
      return 0;
    case 2:
      return 2;
    case 3:
      return 1;
    case 7:
      return 4;
    case 8:
      return 3;
    default:
      return -1;
  }
}

KeyDispatch DispatchKey(const KeyAssignmentRow& assignment, bool pressed,
                        std::chrono::microseconds now) {
  KeyDispatch out;
  const std::optional<AssignmentKind> kind = AssignmentKindFromValue(assignment.macro_type);
  if (!kind) return out;
  const int value = assignment.macro_value;
  switch (*kind) {
    case AssignmentKind::kFunction: {
      const VirtualActionKind how =
          value < kFuncMediaSelect ? VirtualActionKind::kKey : VirtualActionKind::kConsumer;
      out.actions.push_back({now, how, value, pressed});
      break;
    }
    case AssignmentKind::kMouseButton: {
      const int bit = MouseButtonBit(value);
      if (bit >= 0) out.actions.push_back({now, VirtualActionKind::kMouseButton, bit, pressed});
      break;
    }
    case AssignmentKind::kShortcut:
      if (pressed) {
        out.actions = FunctionSequence(value, now);
        const auto end = out.actions.empty() ? now : out.actions.back().due + kFunctionStepPause;
        out.actions.push_back({end, VirtualActionKind::kReleaseAll, 0, false});
      }
      break;
    case AssignmentKind::kMacro:
      if (pressed) out.macro_id = value;
      break;
    case AssignmentKind::kOpenProgram:
    case AssignmentKind::kOpenLink:
    case AssignmentKind::kTypeText:
    case AssignmentKind::kSwitchProfile:
      if (pressed) out.software_action = value;
      break;
    default:
      break;
  }
  return out;
}
