#include "update/zip_entry_name.h"

#include <gtest/gtest.h>

TEST(SanitiseEntryName, KeepsEveryNameInsideTheFolder) {
  struct Case {
    const char* stored;
    const char* expected;
  };
  const Case cases[] = {
      {"setup/Keyboard-Software-1.0.2.exe", "setup/Keyboard-Software-1.0.2.exe"},
      {"..\\..\\x.exe", "x.exe"},
      {"C:\\y.dll", "y.dll"},
      {"C:/Windows/../../z.sys", "z.sys"},
      {"/etc/passwd", "etc/passwd"},
      {"\\\\server\\share\\a", "server/share/a"},
      {"a/../b", "b"},
      {"a\\../b/..\\c", "c"},
      {"../x.exe", "x.exe"},
      {"a/b/..", "a/b"},
      {"./a//b/./c", "a/b/c"},
      {"D:C:e:f", "f"},
      {"..", ""},
      {"/", ""},
      {"dir/", "dir"},
      {"a..b/c..", "a..b/c.."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SanitiseEntryName(c.stored), c.expected) << c.stored;
  }
}

TEST(EntryNameToUtf8, KeepsUtf8AndReadsOtherBytesAsCodePage437) {
  EXPECT_EQ(EntryNameToUtf8("caf\xC3\xA9.txt"), "caf\xC3\xA9.txt");
  EXPECT_EQ(EntryNameToUtf8("caf\x82.txt"), "caf\xC3\xA9.txt");
  EXPECT_EQ(EntryNameToUtf8("\x81\xE1"), "\xC3\xBC\xC3\x9F");
}
