// Bounds of the key matrix.
#include "lighting/key_matrix.h"

#include <algorithm>

namespace lighting {

int KeyMatrix::UsedRows() const {
  return std::clamp(rows, 0, kMatrixRows);
}
int KeyMatrix::UsedColumns() const {
  return std::clamp(columns, 0, kMatrixColumns);
}

}  // namespace lighting
