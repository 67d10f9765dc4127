// The stream step's key colours: which picture point or screen cell each key of
// the layout's key matrix takes, and whether the frame is worth sending.
#pragma once

#include <array>
#include <span>

#include "QorUI/types.h"
#include "keys/keyboard_layout.h"
#include "lighting/music_picture.h"

namespace lighting {

// The layout's row and column counts, limited to the grid cells that exist.
int UsedRows(const KeyboardLayout& layout);
int UsedColumns(const KeyboardLayout& layout);

// Picture column of matrix column j: j * (255 div C).
int SampleColumn(int column, int columns);
// Picture row of matrix row i: trunc(i * (62 div R) + 2 + (62 div R) * 0.5).
int SampleRow(int row, int rows);

struct KeyColour {
  BYTE key = kNoGridKey;
  COLORREF colour = 0;
  bool operator==(const KeyColour&) const = default;
};

// At most one entry per matrix cell; filled in place by the worker every step.
class StreamKeyColours {
 public:
  void Clear() { m_count = 0; }
  void Add(BYTE key, COLORREF colour) { m_keys[m_count++] = {key, colour}; }
  std::span<const KeyColour> View() const { return {m_keys.data(), m_count}; }
  // A frame is sent only when some colour, as an unsigned value, is 2 or more.
  bool HasVisibleColour() const;

 private:
  std::array<KeyColour, kGridRows * kGridColumns> m_keys{};
  std::size_t m_count = 0;
};

// Screen colours stored by column, 8 rows per column: (row r, column c) at c * 8 + r.
using ScreenGrid = std::array<COLORREF, kGridRows * kGridColumns>;
constexpr int GridIndex(int row, int column) {
  return column * kGridRows + row;
}

void ColourKeysFromPicture(const MusicPicture& picture, const KeyboardLayout& layout,
                           StreamKeyColours& out);
void ColourKeysFromGrid(const ScreenGrid& grid, const KeyboardLayout& layout,
                        StreamKeyColours& out);

}  // namespace lighting
