// Separable area average. In units where a source pixel is `target` long and a
// target pixel `source` long, every overlap is a whole number, so the weights
// are integers and the result is exact up to the final rounding. Whole rows and
// columns are plain sums (the bulk of the work, and vectorisable); only the cut
// edges are multiplied.
#include "lighting/area_reducer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lighting {
namespace {

// Planes of channel sums, one source-width line each: red, green, blue.
constexpr int kChannels = 3;

// Block sums share words in 16-bit lanes; 257 pixels of 255 still fit.
constexpr int kMaxBlock = 257;

struct BlockSums {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
};

// Two pixels a load, in 16-bit lanes blue0, red0, blue1, red1 and 32-bit
// lanes green0, green1; an odd last column adds its pixel to the first lanes.
// Usual block widths get a fixed width the compiler unrolls.
template <int kFixedWidth = 0>
BlockSums SumBlock(const std::uint32_t* p, int kx, int ky, int stride) {
  if constexpr (kFixedWidth > 0) kx = kFixedWidth;
  constexpr std::uint64_t kRedBlue = 0x00FF00FF00FF00FFull;
  constexpr std::uint64_t kGreen = 0x000000FF000000FFull;
  const int pairs = kx / 2;
  std::uint64_t red_blue = 0;
  std::uint64_t green = 0;
  for (int y = 0; y < ky; ++y, p += stride) {
    for (int i = 0; i < pairs; ++i) {
      std::uint64_t pair;
      std::memcpy(&pair, p + 2 * i, sizeof pair);
      red_blue += pair & kRedBlue;
      green += (pair >> 8) & kGreen;
    }
    if (kx % 2 != 0) {
      red_blue += p[kx - 1] & kRedBlue;
      green += (p[kx - 1] >> 8) & kGreen;
    }
  }
  const auto lane = [](std::uint64_t v, int index) {
    return static_cast<std::uint32_t>((v >> (16 * index)) & 0xFFFF);
  };
  return {lane(red_blue, 1) + lane(red_blue, 3),
          static_cast<std::uint32_t>((green & 0xFFFFFFFF) + (green >> 32)),
          lane(red_blue, 0) + lane(red_blue, 2)};
}

using BlockSummer = BlockSums (*)(const std::uint32_t*, int, int, int);

BlockSummer SummerFor(int kx) {
  static constexpr std::array<BlockSummer, 9> kFixed = {SumBlock<>,  SumBlock<1>, SumBlock<2>,
                                                        SumBlock<3>, SumBlock<4>, SumBlock<5>,
                                                        SumBlock<6>, SumBlock<7>, SumBlock<8>};
  return kx < static_cast<int>(kFixed.size()) ? kFixed[kx] : SumBlock<>;
}

// Means of whole kx x ky blocks into a width x height picture; the source must
// hold width * kx by height * ky pixels.
void BoxReduce(const ScreenPixels& source, int kx, int ky, int width, int height,
               std::uint32_t* out) {
  const int block = kx * ky;
  const std::uint32_t half = static_cast<std::uint32_t>(block) / 2;
  // n / block as a multiply: exact for every n below 2^32 / block, and sums stay below 2^16.
  const std::uint64_t reciprocal = ((std::uint64_t{1} << 32) + block - 1) / block;
  const auto divide = [reciprocal](std::uint32_t n) {
    return static_cast<std::uint32_t>((n * reciprocal) >> 32);
  };
  const BlockSummer sum = SummerFor(kx);
  for (int dy = 0; dy < height; ++dy) {
    const std::uint32_t* top = source.data + static_cast<std::size_t>(dy) * ky * source.stride;
    std::uint32_t* dst = out + static_cast<std::size_t>(dy) * width;
    for (int dx = 0; dx < width; ++dx) {
      const std::uint32_t* p = top + static_cast<std::size_t>(dx) * kx;
      const BlockSums sums = sum(p, kx, ky, source.stride);
      const std::uint32_t r = divide(sums.red + half);
      const std::uint32_t g = divide(sums.green + half);
      const std::uint32_t b = divide(sums.blue + half);
      dst[dx] = (r << 16) | (g << 8) | b;
    }
  }
}

}  // namespace

AreaReducer::AreaReducer(int width, int height) : m_width(width), m_height(height) {}

std::vector<AreaReducer::Span> AreaReducer::Spans(int source_size, int target_size) {
  std::vector<Span> spans(target_size);
  const std::int64_t s = source_size;
  const std::int64_t t = target_size;
  for (std::int64_t d = 0; d < t; ++d) {
    const std::int64_t begin = d * s;  // target pixel d covers [d*s, (d+1)*s)
    const std::int64_t end = begin + s;
    const std::int64_t first = begin / t;
    const std::int64_t last = (end - 1) / t;
    Span& span = spans[d];
    span.first = static_cast<int>(first);
    span.count = static_cast<int>(last - first + 1);
    span.head = static_cast<std::uint32_t>(std::min(end, (first + 1) * t) - begin);
    span.tail = static_cast<std::uint32_t>(end - std::max(begin, last * t));
  }
  return spans;
}

void AreaReducer::Prepare(int source_width, int source_height) {
  if (source_width == m_source_width && source_height == m_source_height) return;
  m_source_width = source_width;
  m_source_height = source_height;
  m_columns = Spans(source_width, m_width);
  m_rows = Spans(source_height, m_height);
  m_whole.assign(static_cast<std::size_t>(source_width) * kChannels, 0);
  m_cut.assign(static_cast<std::size_t>(source_width) * kChannels, 0);
  m_column_sums.assign(static_cast<std::size_t>(source_width), 0);
}

void AreaReducer::AddRow(const std::uint32_t* row, std::uint32_t* planes,
                         std::uint32_t weight) const {
  const int w = m_source_width;
  std::uint32_t* r = planes;
  std::uint32_t* g = planes + w;
  std::uint32_t* b = planes + 2 * w;
  for (int x = 0; x < w; ++x) {
    r[x] += ((row[x] >> 16) & 0xFF) * weight;
    g[x] += ((row[x] >> 8) & 0xFF) * weight;
    b[x] += (row[x] & 0xFF) * weight;
  }
}

void AreaReducer::AddWholeRow(const std::uint32_t* row) {
  const int w = m_source_width;
  std::uint32_t* r = m_whole.data();
  std::uint32_t* g = r + w;
  std::uint32_t* b = r + 2 * w;
  for (int x = 0; x < w; ++x) {
    r[x] += (row[x] >> 16) & 0xFF;
    g[x] += (row[x] >> 8) & 0xFF;
    b[x] += row[x] & 0xFF;
  }
}

void AreaReducer::Reduce(const ScreenPixels& source, std::span<std::uint32_t> out) {
  if (source.width <= 0 || source.height <= 0 ||
      out.size() < static_cast<std::size_t>(m_width) * m_height) {
    return;
  }
  const int kx = std::max(1, source.width / m_width);
  const int ky = std::max(1, source.height / m_height);
  if (kx * ky == 1 || kx * ky > kMaxBlock) return ReduceExactly(source, out);
  if (source.width == kx * m_width && source.height == ky * m_height) {
    return BoxReduce(source, kx, ky, m_width, m_height, out.data());
  }
  // Whole blocks first, then the exact average of that smaller picture. Up to
  // kx - 1 columns and ky - 1 rows at the right and bottom edge are left out.
  const int width = source.width / kx;
  const int height = source.height / ky;
  m_blocks.resize(static_cast<std::size_t>(width) * height);
  BoxReduce(source, kx, ky, width, height, m_blocks.data());
  ReduceExactly(ScreenPixels{m_blocks.data(), width, height, width}, out);
}

void AreaReducer::ReduceExactly(const ScreenPixels& source, std::span<std::uint32_t> out) {
  Prepare(source.width, source.height);
  const std::uint64_t full_row = static_cast<std::uint64_t>(m_height);    // weight of a whole row
  const std::uint64_t full_column = static_cast<std::uint64_t>(m_width);  // and of a whole column
  const std::uint64_t total = static_cast<std::uint64_t>(source.width) * source.height;
  const int w = source.width;
  const auto row_at = [&source](int y) {
    return source.data + static_cast<std::size_t>(y) * source.stride;
  };

  for (int dy = 0; dy < m_height; ++dy) {
    std::fill(m_whole.begin(), m_whole.end(), 0);
    std::fill(m_cut.begin(), m_cut.end(), 0);
    const Span& rows = m_rows[dy];
    const int last = rows.first + rows.count - 1;
    AddRow(row_at(rows.first), m_cut.data(), rows.head);
    for (int y = rows.first + 1; y < last; ++y) AddWholeRow(row_at(y));
    if (last > rows.first) AddRow(row_at(last), m_cut.data(), rows.tail);

    std::uint32_t* dst = out.data() + static_cast<std::size_t>(dy) * m_width;
    for (int dx = 0; dx < m_width; ++dx) dst[dx] = 0;
    for (int c = 0; c < kChannels; ++c) {
      const std::uint32_t* whole = m_whole.data() + static_cast<std::size_t>(c) * w;
      const std::uint32_t* cut = m_cut.data() + static_cast<std::size_t>(c) * w;
      for (int x = 0; x < w; ++x) m_column_sums[x] = whole[x] * full_row + cut[x];
      for (int dx = 0; dx < m_width; ++dx) {
        const Span& cols = m_columns[dx];
        const int end = cols.first + cols.count - 1;
        std::uint64_t sum = m_column_sums[cols.first] * cols.head;
        if (end > cols.first) {
          std::uint64_t inner = 0;
          for (int x = cols.first + 1; x < end; ++x) inner += m_column_sums[x];
          sum += inner * full_column + m_column_sums[end] * cols.tail;
        }
        const auto mean = static_cast<std::uint32_t>((sum + total / 2) / total);
        dst[dx] |= mean << (8 * (kChannels - 1 - c));
      }
    }
  }
}

}  // namespace lighting
