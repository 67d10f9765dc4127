// ExtractAll on minizip: one pass over the central directory, each entry
// sanitised, typed (file, directory, symbolic link), written in pieces under
// the running size cap and given its stored times.
#include "update/zip_extractor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unzip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/unique_fd.h"
#include "update/zip_entry_name.h"

namespace {

constexpr std::size_t kReadChunk = 16384;
constexpr std::size_t kMaxNameBytes = 0xFFFF;
constexpr std::size_t kMaxExtraBytes = 0xFFFF;
constexpr unsigned kHostUnix = 3;
constexpr unsigned kHostMacOsX = 19;
constexpr unsigned long kDosDirectory = 0x10;
constexpr unsigned long kDosReadOnly = 0x01;
constexpr std::uint16_t kExtendedTimestampId = 0x5455;  // "UT"

struct UnzCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, UnzCloser>;

struct EntryTimes {
  timespec access{};
  timespec modification{};
};

std::uint16_t Le16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t Le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Applies an extended timestamp field found in `extra`. Its flags say which
// of modification, access and creation follow; the central directory copy
// may carry fewer of them than the flags announce, so only what fits is read.
// Creation time has no place on this file system.
void ApplyExtendedTimestamp(std::string_view extra, EntryTimes& times) {
  const auto* p = reinterpret_cast<const unsigned char*>(extra.data());
  std::size_t rest = extra.size();
  while (rest >= 4) {
    const std::uint16_t id = Le16(p);
    const std::size_t size = Le16(p + 2);
    if (size > rest - 4) return;
    if (id == kExtendedTimestampId && size >= 1) {
      const unsigned flags = p[4];
      std::size_t at = 5;
      auto next = [&](timespec& out) {
        if (at + 4 > 4 + size) return false;
        out = {static_cast<time_t>(static_cast<std::int32_t>(Le32(p + at))), 0};
        at += 4;
        return true;
      };
      if (flags & 1) {
        if (!next(times.modification)) return;
        times.access = times.modification;
      }
      if (flags & 2) next(times.access);
      return;
    }
    p += 4 + size;
    rest -= 4 + size;
  }
}

EntryTimes DosTimes(const tm_unz& dos) {
  std::tm local{};
  local.tm_sec = static_cast<int>(dos.tm_sec);
  local.tm_min = static_cast<int>(dos.tm_min);
  local.tm_hour = static_cast<int>(dos.tm_hour);
  local.tm_mday = static_cast<int>(dos.tm_mday);
  local.tm_mon = static_cast<int>(dos.tm_mon);
  local.tm_year = static_cast<int>(dos.tm_year) - 1900;
  local.tm_isdst = -1;
  const time_t seconds = std::mktime(&local);
  EntryTimes times;
  times.modification = {seconds == -1 ? 0 : seconds, 0};
  times.access = times.modification;
  return times;
}

// What the entry's attributes say, with Unix modes only from Unix tools.
struct EntryKind {
  bool directory = false;
  bool symlink = false;
  mode_t file_mode = 0644;
};

EntryKind KindOf(const unz_file_info64& info, std::string_view stored_name) {
  EntryKind kind;
  const unsigned host = static_cast<unsigned>(info.version >> 8);
  const mode_t unix_mode = static_cast<mode_t>(info.external_fa >> 16);
  const bool has_unix_mode = (host == kHostUnix || host == kHostMacOsX) && unix_mode != 0;
  if (has_unix_mode) {
    kind.symlink = S_ISLNK(unix_mode);
    kind.directory = S_ISDIR(unix_mode);
    // Permission bits only: set-id and sticky bits never come from a download.
    if (unix_mode & 0777) kind.file_mode = unix_mode & 0777;
  } else if (info.external_fa & kDosReadOnly) {
    kind.file_mode = 0444;
  }
  if (info.external_fa & kDosDirectory) kind.directory = true;
  if (!stored_name.empty() && (stored_name.back() == '/' || stored_name.back() == '\\')) {
    kind.directory = true;
  }
  return kind;
}

// Makes each directory of `relative` below `folder`, refusing to pass through
// anything that is not a real directory (a symbolic link could lead outside).
bool MakeDirectories(const std::string& folder, std::string_view relative) {
  std::string path = folder;
  std::size_t start = 0;
  while (start < relative.size()) {
    std::size_t end = relative.find('/', start);
    if (end == std::string_view::npos) end = relative.size();
    if (path.empty() || path.back() != '/') path += '/';
    path.append(relative.substr(start, end - start));
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    start = end + 1;
  }
  return true;
}

std::string JoinPath(const std::string& folder, std::string_view relative) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  path.append(relative);
  return path;
}

// Unpacks one archive; holds the running totals the limits apply to.
class Extraction {
 public:
  Extraction(unzFile zip, const std::string& folder, const ExtractLimits& limits,
             ExtractResult& result)
      : m_zip(zip), m_folder(folder), m_limits(limits), m_result(result) {}

  // False when a limit stops the whole extraction.
  bool Entry() {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_zip, &info, m_name.data(), m_name.size(), m_extra.data(),
                                m_extra.size(), nullptr, 0) != UNZ_OK) {
      ++m_result.failed;
      return true;
    }
    // A stored name is a C string to every tool: an embedded NUL ends it.
    const std::size_t name_size = std::min<std::size_t>(info.size_filename, kMaxNameBytes);
    const std::string_view stored(m_name.data(), ::strnlen(m_name.data(), name_size));
    const std::string_view central_extra(
        m_extra.data(), std::min<std::size_t>(info.size_file_extra, m_extra.size()));

    const EntryKind kind = KindOf(info, stored);
    const std::string relative = SanitiseEntryName(EntryNameToUtf8(stored));
    if (kind.symlink || relative.empty()) {
      ++m_result.skipped;
      return true;
    }
    if (kind.directory) {
      if (MakeDirectories(m_folder, relative)) {
        ++m_result.directories;
      } else {
        ++m_result.failed;
      }
      return true;
    }
    EntryTimes times = DosTimes(info.tmu_date);
    ApplyExtendedTimestamp(central_extra, times);
    return File(relative, kind.file_mode, times);
  }

 private:
  bool File(const std::string& relative, mode_t mode, EntryTimes times) {
    const std::size_t slash = relative.rfind('/');
    if (slash != std::string::npos &&
        !MakeDirectories(m_folder, std::string_view(relative).substr(0, slash))) {
      ++m_result.failed;
      return true;
    }
    const std::string path = JoinPath(m_folder, relative);
    if (unzOpenCurrentFile(m_zip) != UNZ_OK) {
      ++m_result.failed;
      return true;
    }
    // The local header's copy of the timestamp field carries all three times.
    const int local_size =
        unzGetLocalExtrafield(m_zip, m_extra.data(), static_cast<unsigned>(m_extra.size()));
    if (local_size > 0) {
      ApplyExtendedTimestamp({m_extra.data(), static_cast<std::size_t>(local_size)}, times);
    }

    ::unlink(path.c_str());
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    bool ok = static_cast<bool>(fd);
    bool capped = false;
    std::vector<char>& buffer = m_data;
    while (ok) {
      const int read = unzReadCurrentFile(m_zip, buffer.data(), kReadChunk);
      if (read < 0) ok = false;
      if (read <= 0) break;
      if (m_written + static_cast<std::uint64_t>(read) > m_limits.max_total_bytes) {
        capped = true;
        ok = false;
        break;
      }
      m_written += static_cast<std::uint64_t>(read);
      ok = WriteAll(fd.Get(), buffer.data(), static_cast<std::size_t>(read));
    }
    // The close checks the CRC of what was read.
    if (unzCloseCurrentFile(m_zip) != UNZ_OK) ok = false;
    if (ok) {
      const timespec stamps[2] = {times.access, times.modification};
      ::futimens(fd.Get(), stamps);
    }
    if (!fd.Close()) ok = false;
    if (!ok) {
      // A half-written or corrupt file must not look like a good one.
      ::unlink(path.c_str());
      if (capped) {
        m_result.stop = ExtractStop::kSizeCap;
        return false;
      }
      ++m_result.failed;
      return true;
    }
    ++m_result.files;
    return true;
  }

  static bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
      const ssize_t written = ::write(fd, data, size);
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      data += written;
      size -= static_cast<std::size_t>(written);
    }
    return true;
  }

  unzFile m_zip;
  const std::string& m_folder;
  const ExtractLimits& m_limits;
  ExtractResult& m_result;
  std::uint64_t m_written = 0;
  std::vector<char> m_name = std::vector<char>(kMaxNameBytes + 1);
  std::vector<char> m_extra = std::vector<char>(kMaxExtraBytes);
  std::vector<char> m_data = std::vector<char>(kReadChunk);
};

}  // namespace

ExtractResult ExtractAll(const std::string& archive_path, const std::string& folder,
                         const ExtractLimits& limits) {
  ExtractResult result;
  const ZipHandle zip(unzOpen64(archive_path.c_str()));
  if (!zip) return result;
  result.opened = true;
  Extraction extraction(zip.get(), folder, limits, result);
  std::uint32_t entries = 0;
  for (int at = unzGoToFirstFile(zip.get()); at == UNZ_OK; at = unzGoToNextFile(zip.get())) {
    if (++entries > limits.max_entries) {
      result.stop = ExtractStop::kEntryCap;
      break;
    }
    if (!extraction.Entry()) break;
  }
  return result;
}
