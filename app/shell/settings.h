// The program's two per-user settings, "LCID" and "exit_mode", each a
// decimal string, with the results the rest of the program relies on when
// the store is missing or unreadable.
#pragma once

#include <string>
#include <string_view>

#include "platform/settings_file.h"

class Settings {
 public:
  explicit Settings(SettingsBackend& backend) : m_backend(backend) {}

  // "LCID" as a number; 0 when it is missing or empty, and also when the
  // store did not exist (it is created). 2052 when the store can neither be
  // read nor created.
  int ReadLanguageSetting();
  void WriteLanguageSetting(int language);

  // The value as a decimal number; 0 on every failure (a missing store is
  // created).
  int ReadSettingInt(std::string_view name);
  // Stores the text. Nothing is written when the store exists but cannot be
  // read, so that a passing fault never wipes the other setting.
  void WriteSettingString(std::string_view name, std::string_view text);

 private:
  enum class Opened { kOpened, kCreated, kFailed };
  Opened Open(std::string& contents);

  SettingsBackend& m_backend;
};

// The same operations on the settings file of the current user and device
// name ($XDG_CONFIG_HOME/<device name>/settings.ini).
int ReadLanguageSetting();
void WriteLanguageSetting(int language);
int ReadSettingInt(std::string_view name);
void WriteSettingString(std::string_view name, std::string_view text);
