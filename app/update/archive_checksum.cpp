// Checksum file parsing and file hashing on GLib's checksum.
#include "update/archive_checksum.h"

#include <fcntl.h>
#include <glib.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "QorUI/text.h"
#include "platform/unique_fd.h"

namespace {

constexpr std::size_t kDigestHexLength = 64;

struct ChecksumDeleter {
  void operator()(GChecksum* checksum) const { g_checksum_free(checksum); }
};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::string> ParseChecksumFile(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view word = text.substr(0, end);
  if (word.size() != kDigestHexLength) return std::nullopt;
  for (char c : word) {
    if (!IsHexDigit(c)) return std::nullopt;
  }
  return text::AsciiLower(word);
}

std::optional<std::string> FileSha256(const std::string& path) {
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) return std::nullopt;
  const std::unique_ptr<GChecksum, ChecksumDeleter> checksum(g_checksum_new(G_CHECKSUM_SHA256));
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    g_checksum_update(checksum.get(), reinterpret_cast<const guchar*>(buffer),
                      static_cast<gssize>(got));
  }
  return std::string(g_checksum_get_string(checksum.get()));
}
