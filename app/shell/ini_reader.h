// Reader for INI files (the language files): "[section]" lines and
// "key=value" lines, looked up the way the Windows profile-string reader
// does (names ignore ASCII case, blanks around names and values are
// trimmed, one pair of matching quotes around a value is removed, the first
// of repeated keys wins, lines starting with ';' are comments).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// File bytes to UTF-8 text: UTF-8 with or without a byte-order mark, or
// UTF-16 with a mark. Invalid UTF-8 becomes U+FFFD.
std::string DecodeIniBytes(std::string_view bytes);

// Calls `visit` for every key=value line in file order, until it returns
// false. Lines before the first section belong to the empty section.
using IniVisitor =
    std::function<bool(std::string_view section, std::string_view key, std::string_view value)>;
void ForEachIniEntry(std::string_view text, const IniVisitor& visit);

// The first value of `key` in `section`; nothing when either is missing.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);
