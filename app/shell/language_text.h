// The program's user-visible texts, looked up by number (or by control
// identifier) in the language file of the current program language. The
// file is read on every call and nothing is cached, so a changed language
// or file takes effect at the next lookup.
#pragma once

#include <string>
#include <string_view>

// The one section every text lives in.
inline constexpr std::string_view kTextSection = "KB.DIALOG";

// Texts longer than this many characters are cut.
inline constexpr std::size_t kMaxTextLength = 259;

// "<program folder>language/<language>.lan".
std::string LanguageFilePath(int language);

// The text, or the empty string when the file, the section or the key is
// missing. Safe from any thread.
std::string LoadText(std::string_view section, int number);
std::string LoadText(std::string_view section, std::string_view key);

// The same lookup in a given file.
std::string LoadTextFrom(const std::string& path, std::string_view section, std::string_view key);
