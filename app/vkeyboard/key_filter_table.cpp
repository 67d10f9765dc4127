// Table building; codes outside the table's 16-bit field are left out rather than cut.
#include "vkeyboard/key_filter_table.h"

KeyFilterTable BuildKeyFilterTable(const std::vector<KeyAssignmentRow>& rows) {
  KeyFilterTable table;
  for (const KeyAssignmentRow& row : rows) {
    if (table.keys.size() == kKeyFilterTableEntries) break;
    if (row.key_code <= 0 || row.key_code > 0xFFFF) continue;
    if (!table.key_map.emplace(row.key_code, row).second) continue;
    table.keys.push_back(row.key_code);
  }
  return table;
}
