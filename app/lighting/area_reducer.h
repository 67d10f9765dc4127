// Area-average downscaling of 0x00RRGGBB pixels: every output pixel is the mean
// of the source region it covers.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/screen_capture.h"

namespace lighting {

// Keeps its tables between calls, so a screen of unchanged size costs no
// allocation.
class AreaReducer {
 public:
  AreaReducer(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Writes Width() x Height() pixels (row-major, 0x00RRGGBB) into `out`.
  void Reduce(const ScreenPixels& source, std::span<std::uint32_t> out);

 private:
  // The source pixels one output pixel covers along one axis, in units where a
  // source pixel is `target` long: the first and last may be cut (weights
  // `head` and `tail`), those between count whole (weight `full`).
  struct Span {
    int first = 0;
    int count = 0;
    std::uint32_t head = 0;
    std::uint32_t tail = 0;
  };

  static std::vector<Span> Spans(int source_size, int target_size);
  void Prepare(int source_width, int source_height);
  // Exact, cut edges weighted.
  void ReduceExactly(const ScreenPixels& source, std::span<std::uint32_t> out);
  void AddRow(const std::uint32_t* row, std::uint32_t* planes, std::uint32_t weight) const;
  void AddWholeRow(const std::uint32_t* row);

  int m_width;
  int m_height;
  int m_source_width = 0;
  int m_source_height = 0;
  std::vector<Span> m_columns;
  std::vector<Span> m_rows;
  // Per source column and channel: sums of whole rows, and of weighted cut rows.
  std::vector<std::uint32_t> m_whole;
  std::vector<std::uint32_t> m_cut;
  std::vector<std::uint64_t> m_column_sums;
  std::vector<std::uint32_t> m_blocks;  // a large screen reduced by whole blocks first
};

}  // namespace lighting
