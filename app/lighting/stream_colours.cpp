// Key colours of a stream frame from the music picture or the screen grid.
#include "lighting/stream_colours.h"

#include <algorithm>

namespace lighting {
namespace {

template <typename ColourAt>
void ColourKeys(const KeyboardLayout& layout, std::vector<KeyColour>& out, ColourAt colour_at) {
  out.clear();
  const int rows = UsedRows(layout);
  const int columns = UsedColumns(layout);
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      const BYTE key = layout.grid[i][j];
      if (key != kNoGridKey) out.push_back({key, colour_at(i, j, rows, columns)});
    }
  }
}

}  // namespace

int UsedRows(const KeyboardLayout& layout) {
  return std::clamp(layout.row_count, 0, kGridRows);
}
int UsedColumns(const KeyboardLayout& layout) {
  return std::clamp(layout.col_count, 0, kGridColumns);
}

int SampleColumn(int column, int columns) {
  return column * (255 / columns);
}

int SampleRow(int row, int rows) {
  const int step = 62 / rows;
  return static_cast<int>(row * step + 2 + step * 0.5);
}

bool HasVisibleColour(const std::vector<KeyColour>& keys) {
  return std::any_of(keys.begin(), keys.end(), [](const KeyColour& k) { return k.rgb >= 2; });
}

void ColourKeysFromPicture(const MusicPicture& picture, const KeyboardLayout& layout,
                           std::vector<KeyColour>& out) {
  ColourKeys(layout, out, [&picture](int i, int j, int rows, int columns) {
    return picture.At(SampleColumn(j, columns), SampleRow(i, rows));
  });
}

void ColourKeysFromGrid(const ScreenGrid& grid, const KeyboardLayout& layout,
                        std::vector<KeyColour>& out) {
  ColourKeys(layout, out, [&grid](int i, int j, int, int) { return grid[GridIndex(i, j)]; });
}

}  // namespace lighting
