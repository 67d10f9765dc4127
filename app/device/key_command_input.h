// What the key and macro commands are built from: the assignment rows of the
// current profile and Fn layer, the stored macros with their records, and the
// keys' positions in the layout, reached through one source so that the report
// building sees only values.
#pragma once

#include <optional>
#include <vector>

#include "keys/assignment_kind.h"
#include "store/store_rows.h"

// The assignment kinds the commands tell apart, as stored in `macro_type`.
inline constexpr int kKindFactory = static_cast<int>(AssignmentKind::kFactory);
inline constexpr int kKindDisabled = static_cast<int>(AssignmentKind::kDisabled);
inline constexpr int kKindFunction = static_cast<int>(AssignmentKind::kFunction);
inline constexpr int kKindMacro = static_cast<int>(AssignmentKind::kMacro);
inline constexpr int kKindShortcut = static_cast<int>(AssignmentKind::kShortcut);

// Macro record types that become key events.
inline constexpr int kRecordPress = 2;
inline constexpr int kRecordRelease = 3;

// A macro row with its records in record_index order; a record's `value` is
// the Windows virtual-key code it was recorded with.
struct StoredMacro {
  MacroRow row;
  std::vector<MacroRecordRow> records;
};

class KeyCommandSource {
 public:
  virtual ~KeyCommandSource() = default;
  // Rows of the current profile and Fn layer, in row order.
  virtual std::vector<KeyAssignmentRow> GetKeyAssignments() = 0;
  virtual std::optional<KeyAssignmentRow> GetKeyAssignment(int key_code) = 0;
  virtual std::optional<StoredMacro> GetMacro(int macro_id) = 0;
  // The key's `key_index` in the layout, none when it has none.
  virtual std::optional<int> KeyIndex(int key_code) = 0;
};
