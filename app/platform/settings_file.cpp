// The settings file on disk.
#include "platform/settings_file.h"

#include <filesystem>

#include "platform/file_io.h"

namespace {
// Two short values; anything larger is not our file.
constexpr std::size_t kMaxSettingsBytes = 64u << 10;
}  // namespace

SettingsReadStatus SettingsFile::Read(std::string& contents) {
  switch (ReadWholeFile(m_path, kMaxSettingsBytes, contents)) {
    case FileReadStatus::kOk:
      return SettingsReadStatus::kRead;
    case FileReadStatus::kMissing:
      return SettingsReadStatus::kMissing;
    case FileReadStatus::kTooLarge:
    case FileReadStatus::kFailed:
      break;
  }
  return SettingsReadStatus::kFailed;
}

bool SettingsFile::Create() {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
  return WriteFileAtomically(m_path, "");
}

bool SettingsFile::Write(std::string_view contents) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
  return WriteFileAtomically(m_path, contents);
}
