// File operations on the profile database. A log left beside a new file would be replayed into
// it, so the log always moves or goes with its database.
#include "store/database_file.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace database_file {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLogSuffix = "-wal";
constexpr const char* kIndexSuffix = "-shm";

std::string Timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

bool RemoveIfPresent(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
  return !ec && !fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

std::string PathFor(const std::string& base_folder, const std::string& database_name) {
  std::string path = base_folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + "db/" + database_name + "_data_v1.db";
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

bool EnsureFolder(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  if (folder.empty()) return true;
  std::error_code ec;
  fs::create_directories(folder, ec);
  return fs::is_directory(folder, ec);
}

std::string SetAside(const std::string& path) {
  const std::string stem = path + ".unreadable-" + Timestamp();
  std::string target = stem;
  for (int n = 2; Exists(target) || Exists(target + kLogSuffix); ++n) {
    target = stem + "-" + std::to_string(n);
  }
  // The log moves first: a database must never meet a log that is not its own.
  std::error_code ec;
  // An empty log holds nothing worth keeping.
  if (fs::file_size(path + kLogSuffix, ec) == 0 && !ec) RemoveIfPresent(path + kLogSuffix);
  const bool has_log = Exists(path + kLogSuffix);
  if (has_log) {
    fs::rename(path + kLogSuffix, target + kLogSuffix, ec);
    if (ec) return {};
  }
  fs::rename(path, target, ec);
  if (ec) {
    if (has_log) fs::rename(target + kLogSuffix, path + kLogSuffix, ec);
    return {};
  }
  RemoveIfPresent(path + kIndexSuffix);
  return target;
}

bool Remove(const std::string& path) {
  bool removed = RemoveIfPresent(path);
  removed = RemoveIfPresent(path + kLogSuffix) && removed;
  removed = RemoveIfPresent(path + kIndexSuffix) && removed;
  return removed;
}

}  // namespace database_file
