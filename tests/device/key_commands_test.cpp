// Byte building of the key, macro and shortcut commands, against the tables
// of the command protocol.
#include <gtest/gtest.h>

#include "device/key_commands.h"
#include "tests/device/sim_fixture.h"

namespace {

TEST(KeyCommands, DelayByte) {
  struct Case {
    int delay;
    bool release;
    std::uint8_t byte;
  };
  const Case cases[] = {
      {0, false, 0x01},    {0, true, 0x81},      {10, true, 0x81},     {10, false, 0x01},
      {11, false, 0x01},   {20, false, 0x02},    {310, false, 0x1F},   {311, false, 0x26},
      {1550, false, 0x3F}, {1551, false, 0x2F},  {2000, false, 0x34},  {3100, true, 0xBF},
      {3101, false, 0x63}, {31000, false, 0x7F}, {40000, false, 0x7F}, {-5, false, 0x01},
      {-5, true, 0x80},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDelayByte(c.delay, c.release), c.byte)
        << c.delay << (c.release ? " release" : " press");
  }
}

TEST(KeyCommands, ShortcutSequences) {
  EXPECT_EQ(ShortcutEventsFamily2(1),
            (std::vector<std::uint8_t>{0xE0, 0x01, 0x04, 0x01, 0x04, 0x81, 0xE0, 0x81}));
  EXPECT_EQ(ShortcutEventsFamily2(13),
            (std::vector<std::uint8_t>{0xE2, 0x01, 0x2C, 0x01, 0x1B, 0x01, 0x1B, 0x81, 0x2C, 0x81,
                                       0xE2, 0x81}));
  EXPECT_TRUE(ShortcutEventsFamily2(0).empty());
  EXPECT_TRUE(ShortcutEventsFamily2(16).empty());
  // Win press, L press, L release, Win release.
  EXPECT_EQ(ShortcutEventsFamily1(8),
            (std::vector<std::uint8_t>{0xE3, 0x64, 0x80, 0x0F, 0x64, 0x80, 0x0F, 0x64, 0x00, 0xE3,
                                       0x64, 0x00}));
  EXPECT_EQ(ShortcutEventsFamily1(99), std::vector<std::uint8_t>(12, 0));
  const std::uint8_t firsts[] = {0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE3, 0xE3,
                                 0xE3, 0xE2, 0xE3, 0xE0, 0xE2, 0xE2, 0xE2};
  const std::uint8_t lasts[] = {0x04, 0x06, 0x1B, 0x19, 0x1D, 0x16, 0x08, 0x0F,
                                0x07, 0x2B, 0x10, 0x1A, 0x1B, 0x11, 0x3D};
  for (int v = 1; v <= 15; ++v) {
    const std::vector<std::uint8_t> keys = ShortcutKeys(v);
    EXPECT_EQ(keys.front(), firsts[v - 1]) << v;
    EXPECT_EQ(keys.back(), lasts[v - 1]) << v;
    EXPECT_EQ(keys.size(), v == 13 || v == 14 ? 3u : 2u) << v;
  }
}

TEST(KeyCommands, RemapSlotReport) {
  const FeatureReport clear = {0x07, 0xFA, 0x01, 0x04, 0x00, 0x01, 0x00, 0x01};
  EXPECT_EQ(BuildRemapSlotReport(4, std::nullopt), clear);
  EXPECT_EQ(BuildRemapSlotReport(4, Assign(0x29, kKindFunction, 0)), clear);
  EXPECT_EQ(BuildRemapSlotReport(4, Assign(0x29, kKindFunction, 0x13A)),
            (FeatureReport{0x07, 0xFA, 0x01, 0x04, 0x29, 0x01, 0x3A, 0x01}));
  EXPECT_EQ(BuildRemapSlotReport(2, Assign(0x2A, kKindDisabled, 1)),
            (FeatureReport{0x07, 0xFA, 0x01, 0x02, 0x2A, 0x01, 0x01, 0x01}));
  for (int kind : {kKindFactory, kKindMacro, kKindShortcut}) {
    EXPECT_FALSE(BuildRemapSlotReport(1, Assign(0x29, kind, 5))) << kind;
  }
}

TEST(KeyCommands, MacroSlotBlockKeepsTheFirst82Events) {
  StoredMacro macro;
  macro.row.play_times = 0x103;
  for (int i = 0; i < 100; ++i) {
    macro.records.push_back(Rec(kRecordPress, 0x04 + i % 20, 0));
    macro.records.push_back(Rec(1, 0x50, 0));  // not an event
    macro.records.push_back(Rec(kRecordRelease, 0x04 + i % 20, 2000));
  }
  const MacroSlotBlock block = BuildMacroSlotBlock(0x3A, 5, kKindMacro, 9, macro);
  EXPECT_EQ(block[0], 1);
  EXPECT_EQ(block[1], 5);
  EXPECT_EQ(block[2], 0x3A);
  EXPECT_EQ(block[3], 0x03) << "play_times low byte";
  EXPECT_EQ(block[4], 0x04);
  EXPECT_EQ(block[5], 0x01);
  EXPECT_EQ(block[6], 0x04);
  EXPECT_EQ(block[7], 0xB4) << "release, count 20, unit 01";
  // Event 82 (index 81) is the last: the release of record pair 40.
  EXPECT_EQ(block[4 + 2 * 81], 0x04 + 40 % 20);
  EXPECT_EQ(block[167], 0xB4);

  const std::vector<FeatureReport> reports = SplitMacroSlotBlock(block);
  ASSERT_EQ(reports.size(), 28u);
  EXPECT_EQ(reports[0], (FeatureReport{0x07, 0xF1, 0x01, 0x05, 0x3A, 0x03, 0x04, 0x01}));
  EXPECT_EQ(reports[27][1], 0x00);
  EXPECT_EQ(reports[27][7], block[167]);

  // Shortcut and clearing forms.
  const MacroSlotBlock shortcut = BuildMacroSlotBlock(0x3B, 2, kKindShortcut, 1, std::nullopt);
  EXPECT_EQ(std::vector<std::uint8_t>(shortcut.begin(), shortcut.begin() + 13),
            (std::vector<std::uint8_t>{1, 2, 0x3B, 1, 0xE0, 0x01, 0x04, 0x01, 0x04, 0x81, 0xE0,
                                       0x81, 0}));
  const MacroSlotBlock cleared = BuildMacroSlotBlock(0x3B, 7, kKindFactory, 0, std::nullopt);
  EXPECT_TRUE(std::all_of(cleared.begin() + 2, cleared.end(), [](auto b) { return b == 0; }));
  const MacroSlotBlock missing = BuildMacroSlotBlock(0x3B, 7, kKindMacro, 44, std::nullopt);
  EXPECT_EQ(missing[2], 0) << "a missing macro frees the slot";
}

TEST(KeyCommands, Family1MacroBlockAndItsReports) {
  StoredMacro macro;
  macro.row.play_times = 0;  // clamped to 1
  for (int i = 0; i < 10; ++i) macro.records.push_back(Rec(kRecordPress, 0x04, 0x1FF));
  macro.records.push_back(Rec(kRecordRelease, 0x05, 0x234));
  macro.records.push_back(Rec(kRecordRelease, 0x06, 0x0010));
  macro.records.push_back(Rec(kRecordRelease, 0x07, 0x0010));
  macro.records.push_back(Rec(kRecordRelease, 0x08, 0x0010));
  macro.records.push_back(Rec(kRecordRelease, 0x09, 0x0010));
  macro.records.push_back(Rec(kRecordRelease, 0x0A, 0x0010));
  macro.records.push_back(Rec(kRecordRelease, 0x0B, 0x0010));
  macro.records.push_back(Rec(kRecordRelease, 0x0C, 0x0010));
  macro.records.push_back(Rec(1, 0x0E, 0x0010));
  macro.records.push_back(Rec(kRecordRelease, 0x0F, 0x0010));
  ASSERT_EQ(macro.records.size(), 20u);
  const std::vector<std::uint8_t> block = BuildFamily1MacroBlock(macro);
  ASSERT_EQ(block.size(), 63u);
  EXPECT_EQ(block[0], 1);
  EXPECT_EQ(block[1], 20);
  EXPECT_EQ((std::vector<std::uint8_t>(block.begin() + 2, block.begin() + 5)),
            (std::vector<std::uint8_t>{0x04, 0xFF, 0x81}));
  EXPECT_EQ((std::vector<std::uint8_t>(block.begin() + 32, block.begin() + 35)),
            (std::vector<std::uint8_t>{0x05, 0xB4, 0x02}));

  const std::vector<OutputReport> reports = SplitFamily1MacroBlock(block, 3);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0][1], 0x8E);
  EXPECT_EQ(reports[0][2], 59);
  EXPECT_EQ(reports[0][5], 3);
  EXPECT_EQ(reports[1][2], 4);
  EXPECT_EQ(reports[1][3], 59);
  EXPECT_EQ(reports[1][4], 0);
  EXPECT_EQ(reports[1][6], block[59]);
  EXPECT_EQ(reports[1][9], block[62]);
  EXPECT_EQ(reports[1][10], 0);

  const std::vector<std::uint8_t> none = BuildFamily1MacroBlock(std::nullopt);
  EXPECT_EQ(none, (std::vector<std::uint8_t>{1, 0, 0}));

  StoredMacro huge;
  huge.records.assign(400, Rec(kRecordPress, 0x04, 0));
  const std::vector<std::uint8_t> capped = BuildFamily1MacroBlock(huge);
  EXPECT_EQ(capped[1], 255) << "the count byte never wraps";
  EXPECT_EQ(capped.size(), 3u * 256);
}

TEST(KeyCommands, Family1KeyTable) {
  FakeKeySource source;
  source.key_index = {{0x04, 0}, {0x05, 109}, {0x06, 179}, {0x07, 180}, {0x08, 2}};
  const std::vector<KeyAssignmentRow> rows = {
      Assign(0x04, kKindFunction, 0x129),  // low byte of the value
      Assign(0x05, kKindDisabled, 1),
      Assign(0x06, kKindMacro, 12),       // has slot 4
      Assign(0x07, kKindFunction, 0x10),  // position 180: left out
      Assign(0x08, kKindShortcut, 3),     // no slot: left out
      Assign(0x09, kKindFunction, 0x11),  // no key_index: left out
      Assign(0x04, 8, 5),                 // other kinds write nothing
  };
  const Family1KeyTable table = BuildFamily1KeyTable(rows, source, {{0x06, 4}});
  Family1KeyTable expected{};
  expected[0] = 0x29;
  expected[1] = 0x20;
  expected[218] = 0x00;
  expected[219] = 0x20;
  expected[358] = 4;
  expected[359] = 0x40;
  EXPECT_EQ(table, expected);

  const std::vector<OutputReport> reports = SplitFamily1KeyTable(table);
  ASSERT_EQ(reports.size(), 4u);
  const int lengths[] = {60, 60, 60, 40};
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(reports[j][1], 0x8D);
    EXPECT_EQ(reports[j][2], lengths[j]);
    EXPECT_EQ(reports[j][3] | (reports[j][4] << 8), 60 * j);
    EXPECT_EQ(reports[j][5], table[60 * j]);
    EXPECT_EQ(reports[j][64], table[60 * j + 59]);
  }
}

}  // namespace
