// Reading assignments, macros and key positions for the key commands.
#include "device/store_key_source.h"

StoreKeyCommandSource::StoreKeyCommandSource(ProfileStore& store, const KeyboardLayout& layout,
                                             int profile, int fn_layer)
    : m_store(store), m_layout(layout), m_profile(profile), m_fn_layer(fn_layer) {}

std::vector<KeyAssignmentRow> StoreKeyCommandSource::GetKeyAssignments() {
  std::vector<KeyAssignmentRow> rows;
  m_store.GetKeyAssignments(m_profile, m_fn_layer, rows);
  return rows;
}

std::optional<KeyAssignmentRow> StoreKeyCommandSource::GetKeyAssignment(int key_code) {
  KeyAssignmentRow row;
  if (!m_store.GetKeyAssignment(m_profile, m_fn_layer, key_code, row)) return std::nullopt;
  return row;
}

std::optional<StoredMacro> StoreKeyCommandSource::GetMacro(int macro_id) {
  StoredMacro macro;
  if (!m_store.GetMacro(macro_id, macro.row)) return std::nullopt;
  m_store.GetMacroRecords(macro_id, macro.records);
  return macro;
}

std::optional<int> StoreKeyCommandSource::KeyIndex(int key_code) {
  return m_layout.KeyIndexOf(key_code);
}
