#include "update/version_text.h"

#include <gtest/gtest.h>

TEST(CompareVersions, OrdersPartByPartAndFlagsDifferentPartCounts) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"1.0.1", "1.0.2", 1},   {"1.0.1", "1.0.1", 0},
      {"1.0.1", "1.0.0", -1},  {"1.0.1", "1.1", 2},
      {"1.0.1", "1.0.1.0", 2}, {"1.0.9", "1.0.10", 1},
      {"2.0.0", "1.9.9", -1},  {"1.x.0", "1.0.0", 0},
      {"1..2", "1.0.2", 0},    {"", "", 0},
      {"010.1", "10.1", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareVersions(c.a, c.b), c.expected) << c.a << " vs " << c.b;
  }
}

TEST(AcceptVersionReply, TakesShortVersionTextsOnly) {
  struct Case {
    std::string reply;
    std::optional<std::string> accepted;
  };
  const Case cases[] = {
      {"1.0.2", "1.0.2"},
      {"1234567.90", "1234567.90"},   // exactly 10 characters
      {"1234567.901", std::nullopt},  // 11
      {"", std::nullopt},
      {"1.0.2\r\n", "1.0.2"},
      {"\xEF\xBB\xBF 2.1\n", "2.1"},
      {"<html><body>404</body></html>", std::nullopt},
      {"../../x", std::nullopt},
      {"1.0 beta", std::nullopt},
      {"1.0-rc_2", "1.0-rc_2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AcceptVersionReply(c.reply), c.accepted) << c.reply;
  }
}

TEST(FirmwareVersionAsDecimal, ReadsTheHexDigitsAsDecimal) {
  EXPECT_EQ(FirmwareVersionAsDecimal(0x0105), 105);
  EXPECT_EQ(FirmwareVersionAsDecimal(0x0106), 106);
  EXPECT_EQ(FirmwareVersionAsDecimal(0x010A), 10);
  EXPECT_EQ(FirmwareVersionAsDecimal(0), 0);
}
