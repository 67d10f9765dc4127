// The two report forms every command shares: 65-byte output reports (report id 0)
// and 8-byte feature reports (report id 7), plus the 64-byte payload of a long
// report and the 28-byte key slot table.
#pragma once

#include <array>
#include <cstdint>

inline constexpr std::size_t kOutputReportSize = 65;
inline constexpr std::size_t kFeatureReportSize = 8;
inline constexpr std::size_t kLongPayloadSize = 64;
inline constexpr std::size_t kSlotTableSize = 28;

inline constexpr std::uint8_t kOutputReportId = 0x00;
inline constexpr std::uint8_t kFeatureReportId = 0x07;

using OutputReport = std::array<std::uint8_t, kOutputReportSize>;
using FeatureReport = std::array<std::uint8_t, kFeatureReportSize>;
using LongPayload = std::array<std::uint8_t, kLongPayloadSize>;
using SlotTable = std::array<std::uint8_t, kSlotTableSize>;

// Feature commands read back from the keyboard.
inline constexpr std::uint8_t kCmdReadSlotTable = 0xFB;
inline constexpr std::uint8_t kCmdReadFirmwareVersion = 0xFD;
inline constexpr std::uint8_t kSlotTableSubcommand = 0x01;

inline OutputReport MakeOutputReport(std::uint8_t command) {
  OutputReport r{};
  r[0] = kOutputReportId;
  r[1] = command;
  return r;
}

inline FeatureReport MakeFeatureReport(std::uint8_t command) {
  FeatureReport r{};
  r[0] = kFeatureReportId;
  r[1] = command;
  return r;
}
