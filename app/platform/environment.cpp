// Process environment, executable path and home folder on Linux.
#include "platform/environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

Environment ProcessEnvironment() {
  return [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
  };
}

std::string ExecutablePath() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(n));
}

std::string HomeDirectory(const Environment& env) {
  if (auto home = env("HOME"); home && !home->empty()) return *home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* result = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result &&
      result->pw_dir) {
    return result->pw_dir;
  }
  return "/";
}
