// The archive writer behind the unpacking tests.
#include "update/zip_builder.h"

#include <minizip/zip.h>

namespace {

constexpr int kMadeByUnix = 3 << 8 | 20;
constexpr int kMadeByDos = 20;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string ExtendedTimestampField(std::int32_t modification, std::int32_t access) {
  std::string field;
  PutLe(field, 0x5455, 2);
  PutLe(field, 9, 2);
  field += static_cast<char>(3);
  PutLe(field, static_cast<std::uint32_t>(modification), 4);
  PutLe(field, static_cast<std::uint32_t>(access), 4);
  return field;
}

bool WriteZip(const std::string& path, const std::vector<ZipEntrySpec>& entries) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  bool ok = true;
  for (const ZipEntrySpec& e : entries) {
    zip_fileinfo info{};
    info.tmz_date = {static_cast<uInt>(e.second),    static_cast<uInt>(e.minute),
                     static_cast<uInt>(e.hour),      static_cast<uInt>(e.day),
                     static_cast<uInt>(e.month - 1), static_cast<uInt>(e.year)};
    info.external_fa = (static_cast<uLong>(e.unix_mode) << 16) | e.dos_attributes;
    const bool raw = e.wrong_crc.has_value();
    ok = ok &&
         zipOpenNewFileInZip4_64(zip, e.name.c_str(), &info, e.local_extra.data(),
                                 static_cast<uInt>(e.local_extra.size()), e.central_extra.data(),
                                 static_cast<uInt>(e.central_extra.size()), nullptr,
                                 raw ? 0 : Z_DEFLATED, raw ? 0 : Z_BEST_COMPRESSION, raw ? 1 : 0,
                                 -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                                 e.unix_mode ? kMadeByUnix : kMadeByDos, 0, 0) == ZIP_OK;
    ok = ok &&
         zipWriteInFileInZip(zip, e.data.data(), static_cast<unsigned>(e.data.size())) == ZIP_OK;
    ok = ok && (raw ? zipCloseFileInZipRaw64(zip, e.data.size(), *e.wrong_crc)
                    : zipCloseFileInZip(zip)) == ZIP_OK;
  }
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}
