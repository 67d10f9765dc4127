// The virtual keyboard's reports and the one form in which they are written: a 64-byte frame that
// starts with 0x05 and the report id, followed by the report's data and zeros.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

inline constexpr std::size_t kVhidevFrameSize = 64;
inline constexpr std::uint8_t kVhidevFrameTag = 0x05;
using VhidevFrame = std::array<std::uint8_t, kVhidevFrameSize>;

enum VhidevReportId : std::uint8_t {
  kKeyReportId = 1,       // byte 0 zero, bytes 1-32 a bitmap of keyboard usages 0-255
  kMouseReportId = 2,     // byte 0 the button bits, bytes 1-3 zero
  kConsumerReportId = 3,  // one consumer usage, little-endian, 0 = none
  kSpareReportId = 4,     // always zero
};

inline constexpr std::size_t kKeyReportSize = 33;
inline constexpr std::size_t kMouseReportSize = 4;
inline constexpr std::size_t kConsumerReportSize = 2;
inline constexpr std::size_t kSpareReportSize = 2;
inline constexpr int kMouseButtonBits = 8;

// The frame of one report; data beyond the frame's room (62 bytes, 63 for report id 0) is cut.
VhidevFrame BuildVhidevFrame(std::span<const std::uint8_t> data, std::uint8_t report_id);

struct VhidevReport {
  std::uint8_t id = 0;
  std::span<const std::uint8_t> data;  // into the frame, up to its end
};
// The report a frame carries; none for a frame without the tag or with an unknown report id.
std::optional<VhidevReport> ParseVhidevFrame(const VhidevFrame& frame);
