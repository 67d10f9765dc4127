// Language file lookups.
#include "shell/language_text.h"

#include "QorUI/text.h"
#include "platform/file_io.h"
#include "shell/current_language.h"
#include "shell/ini_reader.h"
#include "shell/paths.h"

namespace {
// Language files are a few tens of kilobytes; anything huge is not one.
constexpr std::size_t kMaxLanguageFileBytes = 4u << 20;
}  // namespace

std::string LanguageFilePath(int language) {
  return GetModuleDirectory() + "language/" + std::to_string(language) + ".lan";
}

std::string LoadText(std::string_view section, int number) {
  return LoadText(section, std::to_string(number));
}

std::string LoadText(std::string_view section, std::string_view key) {
  return LoadTextFrom(LanguageFilePath(CurrentLanguage()), section, key);
}

std::string LoadTextFrom(const std::string& path, std::string_view section, std::string_view key) {
  std::string bytes;
  if (ReadWholeFile(path, kMaxLanguageFileBytes, bytes) != FileReadStatus::kOk) return {};
  const auto value = FindIniValue(DecodeIniBytes(bytes), section, key);
  return value ? text::Truncate(*value, kMaxTextLength) : std::string();
}
