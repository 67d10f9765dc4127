// What a key can be made to do: the assignment kinds stored as `macro_type`
// of a key assignment row, and the rules that tie a kind to its values.
#pragma once

#include <optional>

enum class AssignmentKind : int {
  kFactory = 0,      // never stored: restoring the factory function deletes the row
  kDisabled = 1,     // macro_value 1
  kFunction = 2,     // picker item data below 500: a key code or a program function
  kMacro = 3,        // macro_value is a macro_id
  kMouseButton = 5,  // 1, 2, 3, 7 or 8; only from imported profiles
  kReserved = 6,     // kept as imported
  kShortcut = 7,     // one of the built-in shortcut sequences, 1 to 15
  kOpenProgram = 8,  // the next four keep their text in t_key_otherdata
  kOpenLink = 9,
  kTypeText = 10,
  kSwitchProfile = 11,
  kFunctionHigh = 12,  // picker item data of 500 or more
};

// Every assignment belongs to an Fn layer; the program only ever works on this one.
inline constexpr int kBaseLayer = 0;

// The picker item data from which a picked function is stored as kFunctionHigh.
inline constexpr int kHighFunctionItemData = 500;

inline constexpr int kShortcutCount = 15;

// Language texts (section "KB.DIALOG") that name assignments.
inline constexpr int kDisabledKeyText = 202;
inline constexpr int kShortcutTextBase = 700;  // shortcut i is named by text 700 + i

constexpr AssignmentKind FunctionAssignmentKind(int item_data) {
  return item_data < kHighFunctionItemData ? AssignmentKind::kFunction
                                           : AssignmentKind::kFunctionHigh;
}

// The kind of a stored or imported `macro_type`, or nothing for a value no
// kind has (4, negatives, 13 and above).
constexpr std::optional<AssignmentKind> AssignmentKindFromValue(int macro_type) {
  if (macro_type < 0 || macro_type > 12 || macro_type == 4) return std::nullopt;
  return static_cast<AssignmentKind>(macro_type);
}

// Kinds whose text parameter lives in t_key_otherdata.
constexpr bool UsesOtherData(AssignmentKind kind) {
  return kind >= AssignmentKind::kOpenProgram && kind <= AssignmentKind::kSwitchProfile;
}

// Kinds that a keyboard plays from a macro slot rather than a remap slot.
constexpr bool UsesMacroSlot(AssignmentKind kind) {
  return kind == AssignmentKind::kMacro || kind == AssignmentKind::kShortcut;
}

constexpr bool IsMouseButtonValue(int value) {
  return value == 1 || value == 2 || value == 3 || value == 7 || value == 8;
}

constexpr bool IsShortcutValue(int value) {
  return value >= 1 && value <= kShortcutCount;
}
