// The screen reduction of screen lighting: whole screen to 480 x 270, then to
// 18 x 6 cells, each step an area average; then the cells to the key grid.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "lighting/area_reducer.h"
#include "lighting/stream_colours.h"
#include "platform/screen_capture.h"

namespace lighting {

constexpr int kCellColumns = 18;
constexpr int kCellRows = 6;
using ScreenCells = std::array<std::uint32_t, kCellColumns * kCellRows>;  // 0x00RRGGBB, row-major

class ScreenReduction {
 public:
  static constexpr int kMidWidth = 480;
  static constexpr int kMidHeight = 270;

  ScreenReduction();
  const ScreenCells& Reduce(const ScreenPixels& screen);

 private:
  AreaReducer m_to_mid;
  AreaReducer m_to_cells;
  std::vector<std::uint32_t> m_mid;
  ScreenCells m_cells{};
};

// Grid entry (r, c) for every column c < columns and row r < rows, columns
// outermost: the cell's colour, or for positions beyond the 18 x 6 cells the
// last colour read in this pass (black before the first).
void FillScreenGrid(const ScreenCells& cells, int rows, int columns, ScreenGrid& grid);

}  // namespace lighting
