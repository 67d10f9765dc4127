// Dotted version comparison and the acceptance rule of version replies.
#include "update/version_text.h"

#include <cstdio>
#include <vector>

#include "QorUI/text.h"

namespace {

constexpr std::size_t kMaxVersionLength = 10;

std::vector<std::string_view> SplitAtDots(std::string_view s) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = s.find('.', start);
    parts.push_back(s.substr(start, dot == std::string_view::npos ? dot : dot - start));
    if (dot == std::string_view::npos) return parts;
    start = dot + 1;
  }
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsVersionChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
         c == '-' || c == '_';
}

}  // namespace

int CompareVersions(std::string_view a, std::string_view b) {
  const std::vector<std::string_view> pa = SplitAtDots(a);
  const std::vector<std::string_view> pb = SplitAtDots(b);
  if (pa.size() != pb.size()) return 2;
  for (std::size_t i = 0; i < pa.size(); ++i) {
    const int va = text::ParseDecimal(pa[i]);
    const int vb = text::ParseDecimal(pb[i]);
    if (va > vb) return -1;
    if (vb > va) return 1;
  }
  return 0;
}

std::optional<std::string> AcceptVersionReply(std::string_view reply) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (reply.starts_with(kBom)) reply.remove_prefix(kBom.size());
  while (!reply.empty() && IsBlank(reply.front())) reply.remove_prefix(1);
  while (!reply.empty() && IsBlank(reply.back())) reply.remove_suffix(1);
  if (reply.empty() || reply.size() > kMaxVersionLength) return std::nullopt;
  for (char c : reply) {
    if (!IsVersionChar(c)) return std::nullopt;
  }
  return std::string(reply);
}

int FirmwareVersionAsDecimal(int firmware_version) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(firmware_version));
  return text::ParseDecimal(hex);
}
