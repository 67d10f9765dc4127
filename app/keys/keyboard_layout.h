// The model data of one keyboard layout: the pages the model offers, its
// firmware, its light modes and every key with its code, indices and place.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "QorUI/types.h"

// Bits of the page flags.
enum PageFlag : BYTE {
  kPageKeys = 0x01,
  kPageMacros = 0x02,
  kPageLighting = 0x04,
  kPageSettingsPicture = 0x40,
};

// One light mode the model offers; the meaning of the values belongs to the
// lighting page.
struct LightModeTemplate {
  std::string name;   // the language text number of the mode's name, as digits
  int mode = 0;       // what the keyboard receives
  int attribute = 0;  // the parameter mask, stored as config_func
  bool operator==(const LightModeTemplate&) const = default;
};

struct LightSettings {
  bool rgb_keyboard = false;
  int default_mode = 0;
  int default_brightness = 0;
  int default_speed = 0;
  int brightness_max = 0;
  int speed_max = 0;
  bool operator==(const LightSettings&) const = default;
};

struct FirmwareInfo {
  std::string version;
  std::string file;
  std::string url;
  bool operator==(const FirmwareInfo&) const = default;
  // The firmware update button is offered only for a named version and file.
  bool Updatable() const { return !version.empty() && !file.empty(); }
};

// A grid cell of the key matrix.
struct GridCell {
  int row = 0;
  int column = 0;
  bool operator==(const GridCell&) const = default;
};

struct LayoutKey {
  int code = 0;
  std::string name;  // the label drawn on the key
  std::string desc;
  std::string icon;
  std::optional<int> key_index;    // absent when the file gives none
  std::optional<int> light_index;  // absent when the file gives none
  std::optional<GridCell> cell;    // absent when the file gives none
  CRect rect;                      // relative to the picture's top-left corner
};

inline constexpr int kGridRows = 8;
inline constexpr int kGridColumns = 32;
inline constexpr BYTE kNoGridKey = 255;

struct KeyboardLayout {
  int device_type = 0;
  std::string database_name;
  BYTE page_flags = 0x7F;  // every page until a layout says otherwise
  bool sleep_time = false;
  FirmwareInfo firmware;
  LightSettings light;
  std::vector<LightModeTemplate> light_modes;
  int row_count = 0;
  int col_count = 0;
  std::array<std::array<BYTE, kGridColumns>, kGridRows> grid = EmptyGrid();
  std::map<int, int> key_index_map;  // key code -> position in the family 1 key table
  std::map<int, int> light_map;      // key code -> LED position in per-key frames
  std::vector<LayoutKey> keys;

  std::optional<int> KeyIndexOf(int code) const { return Find(key_index_map, code); }
  std::optional<int> LightIndexOf(int code) const { return Find(light_map, code); }
  // The key's position in per-key colour frames: every key shares position 0
  // in a layout that gives no light index at all; in one that gives some, a
  // key without its own has no position and is left out of the frames.
  std::optional<int> LedPositionOf(int code) const {
    if (light_map.empty()) return 0;
    return LightIndexOf(code);
  }
  // The key code at a grid cell; kNoGridKey where no key sits or outside the grid.
  BYTE KeyAt(int row, int column) const {
    if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) return kNoGridKey;
    return grid[row][column];
  }

  static std::array<std::array<BYTE, kGridColumns>, kGridRows> EmptyGrid() {
    std::array<std::array<BYTE, kGridColumns>, kGridRows> g;
    for (auto& row : g) row.fill(kNoGridKey);
    return g;
  }

 private:
  static std::optional<int> Find(const std::map<int, int>& m, int code) {
    const auto it = m.find(code);
    if (it == m.end()) return std::nullopt;
    return it->second;
  }
};
