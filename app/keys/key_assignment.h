// The assignment rows the program itself creates, one per kind, always on the
// base layer, with the values each kind stores.
#pragma once

#include <string>

#include "store/store_rows.h"

// Kind 0 with every value 0: saving it deletes the key's row, so the key gets
// its factory function back.
KeyAssignmentRow FactoryAssignment(int profile, int key_code);

// `desc` is the language text that names a disabled key.
KeyAssignmentRow DisabledAssignment(int profile, int key_code, std::string desc);

// A function picked from the function picker: a key code or program function
// below item data 500, another function from 500 on. With item data and key
// both 0 the row deletes the assignment like the factory function.
KeyAssignmentRow FunctionAssignment(int profile, int key_code, int item_data, int key, int key2,
                                    std::string name);

KeyAssignmentRow MacroAssignment(int profile, int key_code, int macro_id, std::string name);

// `shortcut` is 1 to 15; `name` its language text.
KeyAssignmentRow ShortcutAssignment(int profile, int key_code, int shortcut, std::string name);
