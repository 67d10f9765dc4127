// POSIX implementation of whole-file reads and atomic replacement.
#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/unique_fd.h"

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Makes a rename inside `path`'s folder durable.
void SyncParentDirectory(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "."
                          : slash == 0               ? "/"
                                                     : path.substr(0, slash);
  UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) ::fsync(fd.Get());
}

std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

FileReadStatus ReadWholeFile(const std::string& path, std::size_t max_bytes, std::string& bytes) {
  bytes.clear();
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) return errno == ENOENT ? FileReadStatus::kMissing : FileReadStatus::kFailed;
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0 || S_ISDIR(st.st_mode)) return FileReadStatus::kFailed;
  if (static_cast<unsigned long long>(st.st_size) > max_bytes) return FileReadStatus::kTooLarge;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return FileReadStatus::kFailed;
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > max_bytes) {
      bytes.clear();
      return FileReadStatus::kTooLarge;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return FileReadStatus::kOk;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string temporary = TemporaryNameFor(path);
  // 0666 lets the user's umask decide the permissions, as for any new file.
  UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.Get() < 0) return false;
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) ::fchmod(fd.Get(), old.st_mode & 07777);
  const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0 && fd.Close();
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncParentDirectory(path);
  return true;
}
