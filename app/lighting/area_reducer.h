// Area-average downscaling of 0x00RRGGBB pixels: every output pixel is the
// exact mean of the source region it covers, fractional edges weighted.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/screen_capture.h"

namespace lighting {

// Keeps its weight tables between calls, so a screen of unchanged size costs
// no allocation.
class AreaReducer {
 public:
  AreaReducer(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Writes Width() x Height() pixels (row-major, 0x00RRGGBB) into `out`.
  void Reduce(const ScreenPixels& source, std::span<std::uint32_t> out);

 private:
  // Source pixels [first, first + weights.size()) with their overlap weights.
  struct Span {
    int first = 0;
    std::vector<std::uint32_t> weights;
  };

  static std::vector<Span> Spans(int source_size, int target_size);
  void Prepare(int source_width, int source_height);
  void AddRow(const ScreenPixels& source, int y, std::uint64_t weight);

  int m_width;
  int m_height;
  int m_source_width = 0;
  int m_source_height = 0;
  std::vector<Span> m_columns;
  std::vector<Span> m_rows;
  std::vector<std::uint64_t> m_line;  // three channel sums per output column
};

}  // namespace lighting
