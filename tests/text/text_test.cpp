#include "QorUI/text.h"

#include <gtest/gtest.h>

TEST(Text, CountsAndTruncatesByCodePoint) {
  struct Case {
    std::string s;
    std::size_t count;
    std::size_t keep;
    std::string kept;
  };
  const Case cases[] = {
      {"", 0, 3, ""},
      {"Profile 2", 9, 7, "Profile"},
      {"配置方案 2", 6, 4, "配置方案"},
      {"a\xF0\x9F\x8E\xB9z", 3, 2, "a\xF0\x9F\x8E\xB9"},
      // A cut-off sequence counts each stray byte once and is never split further.
      {"ab\xE6\x96", 4, 3, "ab\xE6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.s);
    EXPECT_EQ(text::CodePointCount(c.s), c.count);
    EXPECT_EQ(text::Truncate(c.s, c.keep), c.kept);
  }
}

TEST(Text, ValidatesUtf8) {
  EXPECT_TRUE(text::IsValidUtf8("plain ascii"));
  EXPECT_TRUE(text::IsValidUtf8("简体中文"));
  EXPECT_FALSE(text::IsValidUtf8("\xC0\x80"));          // overlong NUL
  EXPECT_FALSE(text::IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(text::IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(text::IsValidUtf8("caf\xE9"));           // Windows-1252 e-acute
}

TEST(Text, RoundTripsCodePoints) {
  const std::string s = "K\xC3\xA9y \xE5\xAE\x8F \xF0\x9F\x8E\xB9";
  EXPECT_EQ(text::FromCodePoints(text::ToCodePoints(s)), s);
  EXPECT_EQ(text::ToCodePoints("a\xFF"
                               "b"),
            (std::u32string{U'a', 0xFFFD, U'b'}));
}

TEST(Text, ParsesNumbersLikeTheWindowsRuntime) {
  struct Case {
    std::string s;
    int decimal;
    std::int32_t hex;
  };
  const Case cases[] = {
      {"", 0, 0},
      {"abc", 0, 0xABC},
      {"  42xyz", 42, 0x42},
      {"-7", -7, -7},
      {"+13", 13, 0x13},
      {"0x1F", 0, 0x1F},
      {"0x", 0, 0},
      {"3468", 3468, 0x3468},
      {"99999999999", 2147483647, 2147483647},
      {"-99999999999", -2147483647 - 1, -2147483647 - 1},
      {"FFFFFFFF", 0, 2147483647},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.s);
    EXPECT_EQ(text::ParseDecimal(c.s), c.decimal);
    EXPECT_EQ(text::ParseHex(c.s), c.hex);
  }
}

TEST(Text, FoldsAsciiCaseOnly) {
  EXPECT_EQ(text::AsciiLower("AbC-Ä"), "abc-Ä");
  EXPECT_TRUE(text::EqualsIgnoreAsciiCase("HID_ID", "hid_id"));
  EXPECT_FALSE(text::EqualsIgnoreAsciiCase("a", "ab"));
}

TEST(Text, Utf16BothWays) {
  const std::string mixed = "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x8E\xB9";
  for (bool big_endian : {false, true}) {
    bool cut = true;
    EXPECT_EQ(text::DecodeUtf16(text::EncodeUtf16(mixed, big_endian), big_endian, &cut), mixed);
    EXPECT_FALSE(cut);
  }
  struct Case {
    std::string bytes;  // little-endian
    std::string utf8;
    bool cut_off;
  };
  const Case cases[] = {
      {std::string("\x00\xDC"
                   "A\x00",
                   4),
       "\xEF\xBF\xBD"
       "A",
       false},  // lone low surrogate
      {std::string("\x00\xD8"
                   "A\x00",
                   4),
       "\xEF\xBF\xBD"
       "A",
       false},                                       // high without its low
      {std::string("A\x00\x00\xD8", 4), "A", true},  // pair cut off
      {std::string("A\x00"
                   "B",
                   3),
       "A", true},                                                      // odd last byte
      {std::string("A\x00\x00\x00", 4), std::string("A\0", 2), false},  // NUL is kept
  };
  for (const Case& c : cases) {
    bool cut = false;
    EXPECT_EQ(text::DecodeUtf16(c.bytes, false, &cut), c.utf8);
    EXPECT_EQ(cut, c.cut_off);
  }
}
