// Builders of the program's own assignment rows.
#include "keys/key_assignment.h"

#include <utility>

#include "keys/assignment_kind.h"

namespace {

KeyAssignmentRow Row(int profile, int key_code, AssignmentKind kind, int value, int value2,
                     int value3, std::string desc) {
  KeyAssignmentRow row;
  row.profile = profile;
  row.fn_layer = kBaseLayer;
  row.key_code = key_code;
  row.macro_type = static_cast<int>(kind);
  row.macro_value = value;
  row.macro_value2 = value2;
  row.macro_value3 = value3;
  row.macro_desc = std::move(desc);
  return row;
}

}  // namespace

KeyAssignmentRow FactoryAssignment(int profile, int key_code) {
  return Row(profile, key_code, AssignmentKind::kFactory, 0, 0, 0, {});
}

KeyAssignmentRow DisabledAssignment(int profile, int key_code, std::string desc) {
  return Row(profile, key_code, AssignmentKind::kDisabled, 1, 0, 0, std::move(desc));
}

KeyAssignmentRow FunctionAssignment(int profile, int key_code, int item_data, int key, int key2,
                                    std::string name) {
  return Row(profile, key_code, FunctionAssignmentKind(item_data), item_data, key, key2,
             std::move(name));
}

KeyAssignmentRow MacroAssignment(int profile, int key_code, int macro_id, std::string name) {
  return Row(profile, key_code, AssignmentKind::kMacro, macro_id, 0, 0, std::move(name));
}

KeyAssignmentRow ShortcutAssignment(int profile, int key_code, int shortcut, std::string name) {
  return Row(profile, key_code, AssignmentKind::kShortcut, shortcut, 0, 0, std::move(name));
}
