#include "shell/language_text.h"

#include <gtest/gtest.h>

#include "QorUI/text.h"
#include "shell/ini_reader.h"
#include "support/temp_dir.h"

namespace {

std::string Utf16Le(std::string_view utf8) {
  return "\xFF\xFE" + text::EncodeUtf16(utf8, false);
}

TEST(LanguageText, ReadsLikeTheProfileStringReader) {
  TempDir dir;
  const std::string path = dir.Write("1033.lan",
                                     "1=before any section\r\n"
                                     "[Other]\r\n"
                                     "60=wrong section\r\n"
                                     "[kb.dialog]\r\n"
                                     "  60  =  Connected  \r\n"
                                     "60=second of a repeated key\r\n"
                                     "; 61=a comment\r\n"
                                     "62=\"quoted, with blanks \"\r\n"
                                     "63='single'\r\n"
                                     "64=\"unbalanced\r\n"
                                     "65=a=b\r\n"
                                     "66=\r\n"
                                     "no equals sign\r\n"
                                     "IDC_LIGHT_STC_COLORS=Colours\n"
                                     "[KB.DIALOG] trailing\n"
                                     "67=reopened section\n");
  struct Case {
    std::string key;
    std::string text;
  };
  const Case cases[] = {
      {"60", "Connected"},  // names ignore case, blanks trimmed, first wins
      {"61", ""},
      {"62", "quoted, with blanks "},
      {"63", "single"},
      {"64", "\"unbalanced"},
      {"65", "a=b"},
      {"66", ""},
      {"1", ""},
      {"idc_light_stc_colors", "Colours"},
      {"67", "reopened section"},
      {"68", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadTextFrom(path, kTextSection, c.key), c.text) << c.key;
  }
  EXPECT_EQ(LoadTextFrom(path, "Other", "60"), "wrong section");
  EXPECT_EQ(LoadTextFrom(path, "Missing", "60"), "");
  EXPECT_EQ(LoadTextFrom(dir.File("missing.lan"), kTextSection, "60"), "");
}

TEST(LanguageText, DecodesEachEncodingTheSame) {
  TempDir dir;
  const std::string body = "[KB.DIALOG]\r\n50=\xE4\xB8\xBB\xE9\xA1\xB5 \xF0\x9F\x8E\xB9\r\n";
  const std::string files[] = {
      dir.Write("plain.lan", body),
      dir.Write("bom.lan", "\xEF\xBB\xBF" + body),
      dir.Write("utf16.lan", Utf16Le(body)),
  };
  for (const std::string& f : files) {
    EXPECT_EQ(LoadTextFrom(f, kTextSection, "50"), "\xE4\xB8\xBB\xE9\xA1\xB5 \xF0\x9F\x8E\xB9")
        << f;
  }
  EXPECT_EQ(DecodeIniBytes("a=\xFF\r\n"), "a=\xEF\xBF\xBD\r\n") << "invalid UTF-8 is replaced";
}

TEST(LanguageText, CutsTextsAt259Characters) {
  TempDir dir;
  std::string long_text;
  for (int i = 0; i < 300; ++i) long_text += i % 2 ? "a" : "\xE4\xB8\xAD";
  const std::string path = dir.Write("l.lan", "[KB.DIALOG]\n1=" + long_text + "\n");
  const std::string got = LoadTextFrom(path, kTextSection, "1");
  EXPECT_EQ(text::CodePointCount(got), 259u);
  EXPECT_EQ(got, text::Truncate(long_text, 259));
}

TEST(LanguageText, FileIsReadAtEveryLookup) {
  TempDir dir;
  const std::string path = dir.Write("1033.lan", "[KB.DIALOG]\n60=Connected\n");
  EXPECT_EQ(LoadTextFrom(path, kTextSection, "60"), "Connected");
  dir.Write("1033.lan", "[KB.DIALOG]\n61=Not connected\n");
  EXPECT_EQ(LoadTextFrom(path, kTextSection, "60"), "") << "a removed text is empty at once";
}

}  // namespace
