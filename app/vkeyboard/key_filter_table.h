// What the key filter is told and what the key handler looks up: the keys of the current
// profile's assignments, in the store's order, and each key's assignment row.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "store/store_rows.h"

// The filter reports at most this many keys.
inline constexpr std::size_t kKeyFilterTableEntries = 256;

struct KeyFilterTable {
  // Key codes to report and swallow; empty means the keyboard is left alone.
  std::vector<int> keys;
  // key_code -> its assignment as the store gave it at the last refresh.
  std::map<int, KeyAssignmentRow> key_map;

  bool Empty() const { return keys.empty(); }
};

// One entry per row with a key code of 1 to 65535, the first 256 of them; a key listed twice
// keeps its first row.
KeyFilterTable BuildKeyFilterTable(const std::vector<KeyAssignmentRow>& rows);
