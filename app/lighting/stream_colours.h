// The stream step's key colours: which picture point or screen cell each key of
// the layout's key matrix takes, and whether the frame is worth sending.
#pragma once

#include <array>
#include <vector>

#include "QorUI/types.h"
#include "device/light_commands.h"
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

// A frame is sent only when some colour, as an unsigned value, is 2 or more.
bool HasVisibleColour(const std::vector<KeyColour>& keys);

// Screen colours stored by column, 8 rows per column: (row r, column c) at c * 8 + r.
using ScreenGrid = std::array<COLORREF, kGridRows * kGridColumns>;
constexpr int GridIndex(int row, int column) {
  return column * kGridRows + row;
}

// Replace `out` with one entry per key of the matrix, in row order; the vector
// is reused from step to step, so it allocates only the first time.
void ColourKeysFromPicture(const MusicPicture& picture, const KeyboardLayout& layout,
                           std::vector<KeyColour>& out);
void ColourKeysFromGrid(const ScreenGrid& grid, const KeyboardLayout& layout,
                        std::vector<KeyColour>& out);

}  // namespace lighting
