// Settings stored as an INI file with one section. Names are matched
// ignoring ASCII case, as registry value names are.
#include "shell/settings.h"

#include <utility>
#include <vector>

#include "QorUI/text.h"
#include "shell/current_language.h"
#include "shell/ini_reader.h"
#include "shell/paths.h"

namespace {

constexpr std::string_view kSection = "settings";

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries EntriesOf(std::string_view contents) {
  Entries entries;
  ForEachIniEntry(DecodeIniBytes(contents),
                  [&](std::string_view section, std::string_view key, std::string_view value) {
                    if (text::EqualsIgnoreAsciiCase(section, kSection)) {
                      entries.emplace_back(std::string(key), std::string(value));
                    }
                    return true;
                  });
  return entries;
}

std::string Serialised(const Entries& entries) {
  std::string out = "[" + std::string(kSection) + "]\n";
  for (const auto& [key, value] : entries) out += key + "=" + value + "\n";
  return out;
}

std::string ValueOf(std::string_view contents, std::string_view name) {
  return FindIniValue(DecodeIniBytes(contents), kSection, name).value_or("");
}

// A value must stay on its line to read back as written.
bool FitsOnOneLine(std::string_view s) {
  return s.find_first_of("\r\n") == std::string_view::npos;
}

SettingsFile UserSettingsFile() {
  return SettingsFile(GetSettingsFilePath(ProcessEnvironment()));
}

}  // namespace

Settings::Opened Settings::Open(std::string& contents) {
  switch (m_backend.Read(contents)) {
    case SettingsReadStatus::kRead:
      return Opened::kOpened;
    case SettingsReadStatus::kMissing:
      contents.clear();
      return m_backend.Create() ? Opened::kCreated : Opened::kFailed;
    case SettingsReadStatus::kFailed:
      break;
  }
  return Opened::kFailed;
}

int Settings::ReadLanguageSetting() {
  std::string contents;
  switch (Open(contents)) {
    case Opened::kOpened:
      return text::ParseDecimal(ValueOf(contents, "LCID"));
    case Opened::kCreated:
      return 0;
    case Opened::kFailed:
      break;
  }
  return kLanguageChinese;
}

void Settings::WriteLanguageSetting(int language) {
  WriteSettingString("LCID", std::to_string(language));
}

int Settings::ReadSettingInt(std::string_view name) {
  std::string contents;
  return Open(contents) == Opened::kOpened ? text::ParseDecimal(ValueOf(contents, name)) : 0;
}

void Settings::WriteSettingString(std::string_view name, std::string_view value) {
  std::string contents;
  if (Open(contents) == Opened::kFailed || !FitsOnOneLine(value) || !FitsOnOneLine(name)) return;
  Entries entries = EntriesOf(contents);
  bool replaced = false;
  for (auto& [key, stored] : entries) {
    if (text::EqualsIgnoreAsciiCase(key, name)) {
      stored = value;
      replaced = true;
      break;
    }
  }
  if (!replaced) entries.emplace_back(std::string(name), std::string(value));
  m_backend.Write(Serialised(entries));
}

int ReadLanguageSetting() {
  SettingsFile file = UserSettingsFile();
  return Settings(file).ReadLanguageSetting();
}

void WriteLanguageSetting(int language) {
  SettingsFile file = UserSettingsFile();
  Settings(file).WriteLanguageSetting(language);
}

int ReadSettingInt(std::string_view name) {
  SettingsFile file = UserSettingsFile();
  return Settings(file).ReadSettingInt(name);
}

void WriteSettingString(std::string_view name, std::string_view text) {
  SettingsFile file = UserSettingsFile();
  Settings(file).WriteSettingString(name, text);
}
