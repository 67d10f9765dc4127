// Reads a keyboard layout file into plain values. Each section is optional;
// sections are looked for in one forward pass, so one that appears out of
// order is passed over, like a missing one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/keyboard_layout.h"

struct LayoutPicture {
  CRect rect;  // in window coordinates
  std::string image;
  int row_count = 0;
  int col_count = 0;
};

struct LayoutFile {
  std::optional<BYTE> page_flags;  // from `menu`
  std::optional<bool> sleep_time;  // from `function`
  std::optional<FirmwareInfo> firmware;
  std::optional<LightSettings> light;
  std::vector<LightModeTemplate> light_modes;
  std::optional<LayoutPicture> picture;  // from `Keyboard`
  std::vector<LayoutKey> keys;
};

enum class LayoutFileStatus {
  kRead,
  kUnreadable,  // missing, unreadable or not well-formed XML
  kNotALayout,  // the root element is not `device.info`
};

struct LayoutFileResult {
  LayoutFileStatus status = LayoutFileStatus::kUnreadable;
  LayoutFile file;
};

LayoutFileResult ReadLayoutFile(const std::string& path);

// The grid cell of a `row_col` text: the row is its first character, the
// column its last character when the text has three, else its last two.
// Nothing for an empty text or a cell outside the 8 x 32 grid.
std::optional<GridCell> ParseRowCol(std::string_view text);

// A `rect` text "x#y#width#height" relative to the picture; a zero rectangle
// when the text has no "#".
CRect ParseKeyRect(std::string_view text);
