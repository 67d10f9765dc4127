// Framing of the virtual keyboard's reports.
#include "vkeyboard/vhidev_frame.h"

#include <algorithm>

VhidevFrame BuildVhidevFrame(std::span<const std::uint8_t> data, std::uint8_t report_id) {
  VhidevFrame frame{};
  frame[0] = kVhidevFrameTag;
  std::size_t at = 1;
  if (report_id != 0) frame[at++] = report_id;
  const std::size_t n = std::min(data.size(), frame.size() - at);
  std::copy_n(data.begin(), n, frame.begin() + static_cast<std::ptrdiff_t>(at));
  return frame;
}

std::optional<VhidevReport> ParseVhidevFrame(const VhidevFrame& frame) {
  if (frame[0] != kVhidevFrameTag) return std::nullopt;
  const std::uint8_t id = frame[1];
  if (id < kKeyReportId || id > kSpareReportId) return std::nullopt;
  return VhidevReport{id, std::span<const std::uint8_t>(frame).subspan(2)};
}
