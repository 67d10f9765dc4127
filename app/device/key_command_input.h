// What the key and macro commands are built from: an assignment of a key, a
// macro with its records, and the source that yields them for the current
// profile and Fn layer. The source is where the profile store and the layout
// are reached; the report building itself sees only these values.
#pragma once

#include <optional>
#include <vector>

// Assignment kinds that reach the keyboard differently (the values of `macro_type`).
inline constexpr int kKindFactory = 0;
inline constexpr int kKindDisabled = 1;
inline constexpr int kKindFunction = 2;
inline constexpr int kKindMacro = 3;
inline constexpr int kKindShortcut = 7;

// Macro record types that become key events.
inline constexpr int kRecordPress = 2;
inline constexpr int kRecordRelease = 3;

struct KeyAssignment {
  int key_code = 0;
  int macro_type = 0;
  int macro_value = 0;
};

struct DeviceMacroRecord {
  int type = 0;
  // The HID usage of the record's key (its stored virtual-key code already turned into one).
  int key_code = 0;
  int delay_time = 0;
};

struct DeviceMacro {
  int play_times = 1;
  std::vector<DeviceMacroRecord> records;  // in record_index order
};

class KeyCommandSource {
 public:
  virtual ~KeyCommandSource() = default;
  // Rows of the current profile and Fn layer, in row order.
  virtual std::vector<KeyAssignment> GetKeyAssignments() = 0;
  virtual std::optional<KeyAssignment> GetKeyAssignment(int key_code) = 0;
  virtual std::optional<DeviceMacro> GetMacro(int macro_id) = 0;
  // The key's `key_index` in the layout, none when it has none.
  virtual std::optional<int> KeyIndex(int key_code) = 0;
};
