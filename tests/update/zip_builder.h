// Writes zip archives for the unpacking tests with minizip's writer, with
// control over what hostile archives lie about: names, Unix modes, extra
// fields and CRCs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ZipEntrySpec {
  explicit ZipEntrySpec(std::string entry_name, std::string entry_data = {})
      : name(std::move(entry_name)), data(std::move(entry_data)) {}

  ZipEntrySpec& UnixMode(std::uint32_t mode) {
    unix_mode = mode;
    return *this;
  }
  ZipEntrySpec& DosAttributes(std::uint32_t bits) {
    dos_attributes = bits;
    return *this;
  }
  ZipEntrySpec& Time(int y, int mo, int d, int h, int mi, int s) {
    year = y, month = mo, day = d, hour = h, minute = mi, second = s;
    return *this;
  }
  ZipEntrySpec& Extra(std::string local, std::string central) {
    local_extra = std::move(local), central_extra = std::move(central);
    return *this;
  }
  ZipEntrySpec& WrongCrc(std::uint32_t crc) {
    wrong_crc = crc;
    return *this;
  }

  std::string name;
  std::string data;
  // 0: an entry made on DOS/Windows with no Unix mode; else made on Unix.
  std::uint32_t unix_mode = 0;
  // DOS attribute bits (0x10 directory, 0x01 read-only).
  std::uint32_t dos_attributes = 0;
  // Local time of the entry's DOS date and time.
  int year = 2020, month = 1, day = 2, hour = 3, minute = 4, second = 6;
  std::string local_extra;
  std::string central_extra;
  // Written stored with this CRC instead of the data's own.
  std::optional<std::uint32_t> wrong_crc;
};

bool WriteZip(const std::string& path, const std::vector<ZipEntrySpec>& entries);

// An extended timestamp ("UT") field with modification and access times.
std::string ExtendedTimestampField(std::int32_t modification, std::int32_t access);
