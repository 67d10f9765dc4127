#include "shell/settings.h"

#include <gtest/gtest.h>

#include "fake_environment.h"
#include "shell/language_choice.h"
#include "support/temp_dir.h"

namespace {

// An in-memory store that can be made missing, unreadable or read-only.
class FakeSettingsBackend : public SettingsBackend {
 public:
  std::optional<std::string> contents;  // nothing: the store does not exist
  bool read_fails = false;
  bool create_fails = false;
  int writes = 0;

  SettingsReadStatus Read(std::string& out) override {
    if (read_fails) return SettingsReadStatus::kFailed;
    if (!contents) return SettingsReadStatus::kMissing;
    out = *contents;
    return SettingsReadStatus::kRead;
  }
  bool Create() override {
    if (create_fails) return false;
    contents = "";
    return true;
  }
  bool Write(std::string_view text) override {
    ++writes;
    contents = std::string(text);
    return true;
  }
};

TEST(Settings, FailureValues) {
  struct Case {
    const char* name;
    std::optional<std::string> contents;
    bool read_fails, create_fails;
    int language, exit_mode;
    bool created;
  };
  const Case cases[] = {
      {"stored values", "[settings]\nLCID=1033\nexit_mode=2\n", false, false, 1033, 2, false},
      {"names ignore case", "[Settings]\nlcid=2052\nEXIT_MODE=1\n", false, false, 2052, 1, false},
      {"empty and junk values", "[settings]\nLCID=\nexit_mode=x1\n", false, false, 0, 0, false},
      {"missing store is created", std::nullopt, false, false, 0, 0, true},
      {"store that cannot be created", std::nullopt, false, true, 2052, 0, false},
      {"unreadable store", "[settings]\nLCID=1033\n", true, false, 2052, 0, false},
  };
  for (const Case& c : cases) {
    FakeSettingsBackend backend;
    backend.contents = c.contents;
    backend.read_fails = c.read_fails;
    backend.create_fails = c.create_fails;
    Settings settings(backend);
    EXPECT_EQ(settings.ReadLanguageSetting(), c.language) << c.name;
    EXPECT_EQ(settings.ReadSettingInt("exit_mode"), c.exit_mode) << c.name;
    if (c.created) {
      EXPECT_EQ(backend.contents, "") << c.name;
    }
  }
}

TEST(Settings, WritesKeepTheOtherValue) {
  FakeSettingsBackend backend;
  Settings settings(backend);
  settings.WriteLanguageSetting(2052);
  settings.WriteSettingString("exit_mode", "1");
  settings.WriteSettingString("EXIT_MODE", "2");
  EXPECT_EQ(backend.contents, "[settings]\nLCID=2052\nexit_mode=2\n");
  EXPECT_EQ(settings.ReadLanguageSetting(), 2052);
  EXPECT_EQ(settings.ReadSettingInt("exit_mode"), 2);

  settings.WriteSettingString("exit_mode", "1\nLCID=1033");
  EXPECT_EQ(settings.ReadLanguageSetting(), 2052) << "a value never spills into another";

  backend.read_fails = true;
  const int writes = backend.writes;
  settings.WriteSettingString("exit_mode", "0");
  EXPECT_EQ(backend.writes, writes) << "an unreadable store is not overwritten";
}

TEST(Settings, RealFileIsCreatedWithItsFolderAndReplacedWhole) {
  TempDir dir;
  SettingsFile file(dir.File("config/Tervane/settings.ini"));
  Settings settings(file);
  EXPECT_EQ(settings.ReadLanguageSetting(), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("config/Tervane/settings.ini")));
  settings.WriteLanguageSetting(1033);
  settings.WriteSettingString("exit_mode", "1");
  EXPECT_EQ(TempDir::Read(dir.File("config/Tervane/settings.ini")),
            "[settings]\nLCID=1033\nexit_mode=1\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("config/Tervane")),
                          std::filesystem::directory_iterator()),
            1)
      << "no temporary file is left beside it";
}

TEST(LanguageChoice, LocaleDecidesWhenNothingIsStored) {
  struct Case {
    std::map<std::string, std::string> env;
    int language;
  };
  const Case cases[] = {
      {{{"LANG", "zh_CN.UTF-8"}}, 2052},
      {{{"LANG", "zh_Hans_CN"}}, 2052},
      {{{"LANG", "zh_TW.UTF-8"}}, 1033},
      {{{"LANG", "de_DE.UTF-8"}}, 1033},
      {{}, 1033},
      {{{"LC_ALL", "en_US.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, 1033},
      {{{"LC_MESSAGES", "zh_CN.UTF-8"}, {"LANG", "en_US.UTF-8"}}, 2052},
      {{{"LC_ALL", ""}, {"LANG", "zh_CN.GB18030"}}, 2052},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LanguageFromLocale(FakeEnvironment(c.env)), c.language);
    FakeSettingsBackend backend;
    Settings settings(backend);
    EXPECT_EQ(ChooseLanguage(settings, FakeEnvironment(c.env)), c.language);
    EXPECT_EQ(settings.ReadLanguageSetting(), c.language) << "the choice is stored";
  }
}

TEST(LanguageChoice, StoredLanguageWinsOverTheLocale) {
  struct Case {
    const char* stored;
    int chosen;
    int stored_after;
  };
  const Case cases[] = {
      {"[settings]\nLCID=1033\n", 1033, 1033},
      {"[settings]\nLCID=2052\n", 2052, 2052},
      // No language file exists for another id: it is treated as unset.
      {"[settings]\nLCID=1041\n", 2052, 2052},
      {"[settings]\nLCID=0\n", 2052, 2052},
  };
  for (const Case& c : cases) {
    FakeSettingsBackend backend;
    backend.contents = c.stored;
    Settings settings(backend);
    EXPECT_EQ(ChooseLanguage(settings, FakeEnvironment({{"LANG", "zh_CN.UTF-8"}})), c.chosen)
        << c.stored;
    EXPECT_EQ(settings.ReadLanguageSetting(), c.stored_after) << c.stored;
  }
  FakeSettingsBackend unreadable;
  unreadable.read_fails = true;
  Settings settings(unreadable);
  EXPECT_EQ(ChooseLanguage(settings, FakeEnvironment({{"LANG", "en_US.UTF-8"}})), 2052)
      << "an unreadable store reads as 2052, which is used";
}

}  // namespace
