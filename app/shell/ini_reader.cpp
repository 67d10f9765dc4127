// INI decoding and lookup.
#include "shell/ini_reader.h"

#include "QorUI/text.h"

namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
  };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string DecodeIniBytes(std::string_view bytes) {
  std::string out;
  if (bytes.starts_with("\xFF\xFE")) {
    out = text::DecodeUtf16(bytes.substr(2), false);
  } else if (bytes.starts_with("\xFE\xFF")) {
    out = text::DecodeUtf16(bytes.substr(2), true);
  } else {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    out = text::IsValidUtf8(bytes) ? std::string(bytes)
                                   : text::FromCodePoints(text::ToCodePoints(bytes));
  }
  // A NUL ends a value for the Windows reader; here it would only hide text.
  std::erase(out, '\0');
  return out;
}

void ForEachIniEntry(std::string_view text, const IniVisitor& visit) {
  std::string_view section;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = Trim(text.substr(0, eol));
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      section = Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (!visit(section, Trim(line.substr(0, eq)), Unquoted(Trim(line.substr(eq + 1))))) return;
  }
}

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  std::optional<std::string> found;
  ForEachIniEntry(text, [&](std::string_view s, std::string_view k, std::string_view v) {
    if (!text::EqualsIgnoreAsciiCase(s, section) || !text::EqualsIgnoreAsciiCase(k, key)) {
      return true;
    }
    found = std::string(v);
    return false;
  });
  return found;
}
