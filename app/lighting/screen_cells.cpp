// Two-step area-average reduction and the cell-to-grid rule.
#include "lighting/screen_cells.h"

#include <algorithm>

namespace lighting {

ScreenReduction::ScreenReduction()
    : m_to_mid(kMidWidth, kMidHeight),
      m_to_cells(kCellColumns, kCellRows),
      m_mid(static_cast<std::size_t>(kMidWidth) * kMidHeight) {}

const ScreenCells& ScreenReduction::Reduce(const ScreenPixels& screen) {
  m_to_mid.Reduce(screen, m_mid);
  m_to_cells.Reduce(ScreenPixels{m_mid.data(), kMidWidth, kMidHeight, kMidWidth}, m_cells);
  return m_cells;
}

void FillScreenGrid(const ScreenCells& cells, int rows, int columns, ScreenGrid& grid) {
  rows = std::clamp(rows, 0, kGridRows);
  columns = std::clamp(columns, 0, kGridColumns);
  std::uint32_t last = 0;
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) {
      if (c < kCellColumns && r < kCellRows) last = cells[r * kCellColumns + c];
      grid[GridIndex(r, c)] = ColorrefFromArgb(last);
    }
  }
}

}  // namespace lighting
