// Separable area average. In units where a source pixel is `target` long and a
// target pixel `source` long, every overlap is a whole number, so the weights
// are integers and the result is exact up to the final rounding.
#include "lighting/area_reducer.h"

#include <algorithm>

namespace lighting {

AreaReducer::AreaReducer(int width, int height)
    : m_width(width), m_height(height), m_line(static_cast<std::size_t>(width) * 3) {}

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
    for (std::int64_t i = first; i <= last; ++i) {
      const std::int64_t overlap = std::min(end, (i + 1) * t) - std::max(begin, i * t);
      span.weights.push_back(static_cast<std::uint32_t>(overlap));
    }
  }
  return spans;
}

void AreaReducer::Prepare(int source_width, int source_height) {
  if (source_width == m_source_width && source_height == m_source_height) return;
  m_source_width = source_width;
  m_source_height = source_height;
  m_columns = Spans(source_width, m_width);
  m_rows = Spans(source_height, m_height);
}

void AreaReducer::AddRow(const ScreenPixels& source, int y, std::uint64_t weight) {
  const std::uint32_t* row = source.data + static_cast<std::size_t>(y) * source.stride;
  for (int dx = 0; dx < m_width; ++dx) {
    const Span& span = m_columns[dx];
    const std::uint32_t* p = row + span.first;
    std::uint64_t r = 0, g = 0, b = 0;
    for (std::size_t i = 0; i < span.weights.size(); ++i) {
      const std::uint32_t w = span.weights[i];
      r += ((p[i] >> 16) & 0xFF) * w;
      g += ((p[i] >> 8) & 0xFF) * w;
      b += (p[i] & 0xFF) * w;
    }
    m_line[3 * dx] += r * weight;
    m_line[3 * dx + 1] += g * weight;
    m_line[3 * dx + 2] += b * weight;
  }
}

void AreaReducer::Reduce(const ScreenPixels& source, std::span<std::uint32_t> out) {
  if (source.width <= 0 || source.height <= 0 ||
      out.size() < static_cast<std::size_t>(m_width) * m_height) {
    return;
  }
  Prepare(source.width, source.height);
  const std::uint64_t total = static_cast<std::uint64_t>(source.width) * source.height;
  for (int dy = 0; dy < m_height; ++dy) {
    std::fill(m_line.begin(), m_line.end(), 0);
    const Span& rows = m_rows[dy];
    for (std::size_t i = 0; i < rows.weights.size(); ++i)
      AddRow(source, rows.first + static_cast<int>(i), rows.weights[i]);
    std::uint32_t* dst = out.data() + static_cast<std::size_t>(dy) * m_width;
    for (int dx = 0; dx < m_width; ++dx) {
      const auto channel = [&](int c) {
        return static_cast<std::uint32_t>((m_line[3 * dx + c] + total / 2) / total);
      };
      dst[dx] = (channel(0) << 16) | (channel(1) << 8) | channel(2);
    }
  }
}

}  // namespace lighting
