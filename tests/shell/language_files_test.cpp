// The installed language files: the two languages hold the same keys, every
// text the program shows is present, and the prefix rules of the profile
// and macro lists find the words they expect.
#include <gtest/gtest.h>

#include <set>

#include "QorUI/text.h"
#include "interchange/xml_document.h"
#include "platform/file_io.h"
#include "shell/current_language.h"
#include "shell/ini_reader.h"
#include "shell/language_text.h"
#include "shell/paths.h"

namespace {

std::map<std::string, std::string> Texts(int language) {
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(LanguageFilePath(language), 1 << 20, bytes), FileReadStatus::kOk);
  std::map<std::string, std::string> texts;
  ForEachIniEntry(DecodeIniBytes(bytes),
                  [&](std::string_view section, std::string_view key, std::string_view value) {
                    EXPECT_EQ(section, kTextSection);
                    EXPECT_TRUE(texts.emplace(key, value).second) << "repeated key " << key;
                    return true;
                  });
  return texts;
}

// Every text number the program uses, by where it is shown.
std::set<std::string> RequiredKeys() {
  const std::vector<std::pair<int, int>> ranges = {
      {1, 2},     {5, 5},     {10, 11},   {20, 20},   {22, 23},   {25, 33},   {50, 53},
      {55, 56},   {60, 61},   {65, 65},   {82, 83},   {85, 87},   {89, 91},   {100, 115},
      {117, 118}, {120, 121}, {150, 153}, {156, 157}, {165, 168}, {170, 172}, {175, 177},
      {201, 212}, {218, 218}, {220, 228}, {230, 236}, {252, 252}, {270, 279}, {290, 291},
      {293, 293}, {295, 295}, {300, 312}, {316, 323}, {325, 327}, {329, 331}, {335, 337},
      {365, 366}, {369, 370}, {400, 414}, {540, 544}, {546, 546}, {621, 621}, {701, 715}};
  std::set<std::string> keys;
  for (auto [first, last] : ranges) {
    for (int n = first; n <= last; ++n) keys.insert(std::to_string(n));
  }
  for (const char* id :
       {"IDC_LIGHT_STC_DIRECTION1", "IDC_LIGHT_STC_DIRECTION2", "IDC_LIGHT_STC_DEFAULTCOLOR",
        "IDC_CUSTOMLIGHT_STC_LIGHTCOLOR", "IDC_LIGHT_STC_COLORS", "IDC_LIGHT_STC_COLORSS",
        "IDC_LIGHT_STC_COLORSSS", "IDC_LIGHT_STC_MUSICCOLORS", "IDC_LIGHT_CUSTOM_STC_AREA1",
        "IDC_LIGHT_CUSTOM_STC_AREA2", "IDC_LIGHT_CUSTOM_STC_AREA3", "IDC_LIGHT_CUSTOM_STC_AREA4",
        "IDC_LIGHT_CUSTOM_STC_AREA5", "IDC_LIGHT_CUSTOM_STC_AREA6"}) {
    keys.insert(id);
  }
  return keys;
}

TEST(LanguageFiles, BothLanguagesHoldTheSameKeys) {
  const auto english = Texts(kLanguageEnglish);
  const auto chinese = Texts(kLanguageChinese);
  std::set<std::string> english_keys, chinese_keys;
  for (const auto& [key, text] : english) english_keys.insert(key);
  for (const auto& [key, text] : chinese) chinese_keys.insert(key);
  EXPECT_EQ(english_keys, chinese_keys);
  for (const std::string& key : RequiredKeys()) {
    EXPECT_TRUE(english_keys.count(key)) << "1033.lan lacks " << key;
    EXPECT_TRUE(chinese_keys.count(key)) << "2052.lan lacks " << key;
  }
  for (const auto& [key, text] : english) {
    EXPECT_FALSE(text.empty()) << key;
    EXPECT_LE(text::CodePointCount(text), kMaxTextLength) << key;
    const std::string& other = chinese.at(key);
    EXPECT_FALSE(other.empty()) << key;
    EXPECT_LE(text::CodePointCount(other), kMaxTextLength) << key;
    EXPECT_TRUE(text::IsValidUtf8(other)) << key;
  }
}

TEST(LanguageFiles, LoadTextFollowsTheCurrentLanguage) {
  // The profile and macro lists swap these exact words for each other.
  struct Case {
    int language;
    int number;
    std::string text;
  };
  const Case cases[] = {
      {kLanguageEnglish, 65, "Profile"}, {kLanguageChinese, 65, "配置方案"},
      {kLanguageEnglish, 331, "Macro"},  {kLanguageChinese, 331, "宏"},
      {kLanguageEnglish, 9999, ""},      {1041, 65, ""},  // no such language file
  };
  for (const Case& c : cases) {
    SetCurrentLanguage(c.language);
    EXPECT_EQ(LoadText(kTextSection, c.number), c.text) << c.language << " " << c.number;
  }
  SetCurrentLanguage(kLanguageChinese);
  EXPECT_EQ(LoadText(kTextSection, "IDC_LIGHT_STC_COLORS"), "颜色");
  SetCurrentLanguage(kLanguageEnglish);
}

TEST(LanguageFiles, EveryLightModeOfTheLayoutsHasAName) {
  const auto english = Texts(kLanguageEnglish);
  for (const char* layout : {"tervane_k201", "tervane_k101"}) {
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(GetModuleDirectory() + "layouts/" + layout + ".xml")) << layout;
    ASSERT_TRUE(doc.FindElement("device.info"));
    doc.EnterElement();
    ASSERT_TRUE(doc.FindElement("light")) << layout;
    doc.EnterElement();
    int modes = 0;
    while (doc.FindElement("info")) {
      ++modes;
      EXPECT_TRUE(english.count(doc.GetAttribute("name")))
          << layout << " " << doc.GetAttribute("name");
    }
    EXPECT_GT(modes, 0) << layout;
  }
}

}  // namespace
