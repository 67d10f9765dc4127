// Play macro and Paste text on the virtual keyboard, timed on a virtual clock.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "macros/macro_player.h"
#include "tests/store/store_fixture.h"
#include "tests/vkeyboard/vkeyboard_fakes.h"

namespace {

constexpr int kVkA = 0x41;
constexpr int kVkVolumeUp = 175;

MacroRecordRow Record(int type, int vk, int delay) {
  MacroRecordRow r;
  r.type = type;
  r.value = vk;
  r.delay_time = delay;
  return r;
}

class FakeClipboard final : public Clipboard {
 public:
  ClipboardContent content;
  std::vector<std::string> sets;
  ClipboardContent Read() override { return content; }
  bool SetText(const std::string& t) override {
    sets.push_back(t);
    content = {ClipboardContent::Kind::kText, t};
    return true;
  }
};

class MacroPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.OpenForDevice(dir.path(), "K201")); }

  int AddMacro(int play_times, const std::vector<MacroRecordRow>& records) {
    MacroRow row;
    row.name = "M";
    row.play_times = play_times;
    row.delay_type = 1;
    const int id = store.AddMacroWithSettings(row);
    EXPECT_GT(id, 0);
    std::vector<MacroRecordRow> list = records;
    for (std::size_t i = 0; i < list.size(); ++i) list[i].record_index = static_cast<int>(i);
    EXPECT_TRUE(store.ReplaceMacroRecords(id, list));
    return id;
  }

  TempDir dir;
  ProfileStore store;
  VirtualKeyboardRig rig;
  FakeClipboard clipboard;
  MacroPlayer player{store, rig.vhidev, rig.clock, &clipboard};
};

TEST_F(MacroPlayerTest, PassesWithRecordedDelaysAndEverythingReleasedAfterEach) {
  struct Case {
    const char* name;
    int play_times;
    std::vector<MacroRecordRow> records;
    std::vector<std::string> keys;
    std::vector<double> times;
  };
  const Case cases[] = {
      {"three times A, 5 ms after the press and 20 after the release",
       3,
       {Record(2, kVkA, 0), Record(3, kVkA, 20)},
       {"30:1", "30:0", "30:1", "30:0", "30:1", "30:0"},
       {0, 5, 25, 30, 50, 55}},
      {"a key left down is released when the pass ends",
       2,
       {Record(2, kVkA, 0)},
       {"30:1", "30:0", "30:1", "30:0"},
       {0, 5, 5, 10}},
      {"2 ms plays as 5 ms", 1, {Record(2, kVkA, 2), Record(3, kVkA, 2)}, {"30:1", "30:0"}, {0, 5}},
      {"a program function goes through the consumer report",
       1,
       {Record(2, kVkVolumeUp, 10), Record(3, kVkVolumeUp, 0)},
       {"115:1", "115:0"},
       {0, 10}},
      {"a record that is no key event only waits",
       1,
       {Record(2, kVkA, 0), Record(1, kVkA, 40), Record(3, kVkA, 0)},
       {"30:1", "30:0"},
       {0, 45}},
      {"play_times 0 still plays once",
       0,
       {Record(2, kVkA, 0), Record(3, kVkA, 0)},
       {"30:1", "30:0"},
       {0, 5}},
  };
  for (const Case& c : cases) {
    const int id = AddMacro(c.play_times, c.records);
    rig.log.Clear();
    const std::chrono::microseconds start = rig.clock.Now();
    EXPECT_TRUE(player.PlayMacro(id)) << c.name;
    EXPECT_EQ(rig.log.Keys(), c.keys) << c.name;
    EXPECT_EQ(rig.log.KeyTimes(start), c.times) << c.name;
    EXPECT_TRUE(rig.log.HeldKeys().empty()) << c.name;
  }
}

TEST_F(MacroPlayerTest, NothingIsTypedForAMissingMacroOrWithoutADevice) {
  const int id = AddMacro(1, {Record(2, kVkA, 0)});
  rig.can_open = false;
  EXPECT_FALSE(player.PlayMacro(id));
  EXPECT_FALSE(player.PasteText("x"));
  rig.can_open = true;
  EXPECT_FALSE(player.PlayMacro(99));
  EXPECT_TRUE(rig.log.Keys().empty());
  EXPECT_TRUE(clipboard.sets.empty());
}

TEST_F(MacroPlayerTest, PasteTypesCtrlVAndGivesTheClipboardBack) {
  clipboard.content = {ClipboardContent::Kind::kText, "earlier"};
  const std::chrono::microseconds start = rig.clock.Now();
  EXPECT_TRUE(player.PasteText("typed"));
  EXPECT_EQ(rig.log.Keys(), (std::vector<std::string>{"29:1", "47:1", "47:0", "29:0"}));
  EXPECT_EQ(rig.log.KeyTimes(start), (std::vector<double>{0, 0, 100, 100}));
  EXPECT_EQ(clipboard.sets, (std::vector<std::string>{"typed", "earlier"}));
}

TEST_F(MacroPlayerTest, PasteNeverEmptiesAClipboardWhoseContentWasNoText) {
  const struct {
    const char* name;
    ClipboardContent earlier;
    std::vector<std::string> sets;
  } cases[] = {
      {"nothing: an empty text", {ClipboardContent::Kind::kNothing, {}}, {"typed", ""}},
      {"an empty text stays one", {ClipboardContent::Kind::kText, {}}, {"typed", ""}},
      {"an image, or not read in time: left with the pasted text",
       {ClipboardContent::Kind::kOther, {}},
       {"typed"}},
  };
  for (const auto& c : cases) {
    clipboard.content = c.earlier;
    clipboard.sets.clear();
    rig.log.Clear();
    EXPECT_TRUE(player.PasteText("typed")) << c.name;
    EXPECT_EQ(rig.log.Keys().size(), 4u) << c.name;
    EXPECT_EQ(clipboard.sets, c.sets) << c.name;
  }
}

}  // namespace
