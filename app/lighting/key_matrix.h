// The layout's key matrix as the lighting engines read it: grid size and the
// key code in each cell.
#pragma once

#include <array>

#include "QorUI/types.h"

namespace lighting {

constexpr int kMatrixRows = 8;
constexpr int kMatrixColumns = 32;
constexpr BYTE kNoKey = 255;

struct KeyMatrix {
  int rows = 0;
  int columns = 0;
  std::array<std::array<BYTE, kMatrixColumns>, kMatrixRows> codes = EmptyCodes();

  // Row and column counts limited to the cells that exist.
  int UsedRows() const;
  int UsedColumns() const;

  static constexpr std::array<std::array<BYTE, kMatrixColumns>, kMatrixRows> EmptyCodes() {
    std::array<std::array<BYTE, kMatrixColumns>, kMatrixRows> codes{};
    for (auto& row : codes) row.fill(kNoKey);
    return codes;
  }
};

}  // namespace lighting
