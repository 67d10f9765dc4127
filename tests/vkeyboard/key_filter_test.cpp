// The key filter over a scripted key source and a real profile store: the refresh order, the
// monitor carrying keys to the handler, and what reaches the virtual device.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <random>

#include "tests/store/store_fixture.h"
#include "tests/vkeyboard/vkeyboard_fakes.h"
#include "vkeyboard/key_filter.h"
#include "vkeyboard/key_handler.h"

namespace {

constexpr int kProfile = 1;
constexpr int kF1 = 0x3A;
constexpr int kF2 = 0x3B;
constexpr int kF3 = 0x3C;
constexpr int kF4 = 0x3D;
constexpr int kF5 = 0x3E;
constexpr int kF6 = 0x3F;

class RecordingSinks final : public MacroRunQueueSink, public SoftwareKeyActionSink {
 public:
  void EnqueueMacro(int id) override {
    std::lock_guard lock(m_lock);
    macros.push_back(id);
  }
  void RunSoftwareKeyAction(int id) override {
    std::lock_guard lock(m_lock);
    actions.push_back(id);
  }
  std::vector<int> macros;
  std::vector<int> actions;

 private:
  std::mutex m_lock;
};

class KeyFilterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.OpenForDevice(dir.path(), "K201"));
    ASSERT_TRUE(AddDefaultProfiles(store));
    ASSERT_TRUE(rig.vhidev.Open());
    filter.GetMonitor().RegisterProxy(&handler);
  }
  void TearDown() override { filter.StopAndClear(); }

  void Assign(int key, int kind, int value, int profile = kProfile) {
    KeyAssignmentRow row = Assignment(key, kind, value);
    row.profile = profile;
    ASSERT_GT(store.SaveKeyAssignment(row), 0);
  }
  // Presses and releases through the monitor thread, waiting until they were handled.
  void Keys(std::vector<FilteredKey> keys) {
    source->Push(std::move(keys));
    source->WaitIdle();
  }

  TempDir dir;
  ProfileStore store;
  VirtualKeyboardRig rig;
  ScriptedKeySource* source = new ScriptedKeySource;
  KeyFilter filter{std::unique_ptr<KeyEventSource>(source), rig.vhidev};
  RecordingSinks sinks;
  KeyHandler handler{filter, rig.vhidev, rig.clock, sinks, &sinks};
};

TEST_F(KeyFilterTest, RefreshSetsTableThenFiltersAndAProfileWithoutKeysUngrabs) {
  Assign(kF2, 2, 0x05);
  Assign(kF1, 3, 1);
  Assign(kF3, 2, 0x06, 2);  // another profile
  rig.vhidev.Key(0x04, true);

  EXPECT_EQ(filter.Refresh(store, kProfile, 0), 2);
  EXPECT_TRUE(rig.log.HeldKeys().empty()) << "every virtual key is released first";
  // The table lists the keys in the store's order.
  EXPECT_EQ(source->calls, (std::vector<std::string>{"table", "table 59 58", "start"}));
  EXPECT_TRUE(filter.GetMonitor().IsRunning());
  ASSERT_TRUE(filter.Lookup(kF2));
  EXPECT_EQ(filter.Lookup(kF2)->macro_value, 0x05);

  source->calls.clear();
  EXPECT_EQ(filter.Refresh(store, 3, 0), 0);
  EXPECT_EQ(source->calls, (std::vector<std::string>{"table", "stop"}));
  EXPECT_FALSE(source->Filtering());
  EXPECT_FALSE(filter.GetMonitor().IsRunning());
  EXPECT_FALSE(filter.Lookup(kF2));

  filter.Refresh(store, kProfile, 0);
  source->calls.clear();
  filter.StopAndClear();
  EXPECT_EQ(source->calls, (std::vector<std::string>{"table", "stop"}));
  EXPECT_FALSE(filter.GetMonitor().IsRunning());
}

TEST_F(KeyFilterTest, KeysComeOutAsTheirAssignments) {
  Assign(kF1, 2, 0x05);  // B
  Assign(kF2, 2, 0x06);  // C
  Assign(kF3, 2, 238);   // play/pause
  Assign(kF4, 5, 3);     // right button
  Assign(kF5, 3, 12);    // macro 12
  Assign(kF6, 10, 44);   // type a text
  filter.Refresh(store, kProfile, 0);

  // Two keys at once are two bits of the key report.
  Keys({{kF1, true}, {kF2, true}});
  EXPECT_EQ(rig.log.HeldKeys(), (std::set<int>{KEY_B, KEY_C}));
  Keys({{kF1, false}, {kF3, true}, {kF4, true}});
  EXPECT_EQ(rig.log.HeldKeys(), (std::set<int>{KEY_C, KEY_PLAYPAUSE, BTN_RIGHT}));
  Keys({{kF2, false}, {kF3, false}, {kF4, false}});
  EXPECT_TRUE(rig.log.HeldKeys().empty());

  Keys({{kF5, true}, {kF5, false}, {kF6, true}, {kF6, false}, {0x04, true}});
  EXPECT_EQ(sinks.macros, std::vector<int>{12});
  EXPECT_EQ(sinks.actions, std::vector<int>{44});
}

TEST_F(KeyFilterTest, StopMidPressReleasesEveryInjectedKeyAndButton) {
  Assign(kF1, 2, 0x05);  // B
  Assign(kF2, 2, 0xE1);  // left Shift
  Assign(kF3, 2, 238);   // play/pause
  Assign(kF4, 5, 3);     // right button
  filter.Refresh(store, kProfile, 0);
  Keys({{kF1, true}, {kF2, true}, {kF3, true}, {kF4, true}});
  ASSERT_EQ(rig.log.HeldKeys(), (std::set<int>{KEY_B, KEY_LEFTSHIFT, KEY_PLAYPAUSE, BTN_RIGHT}));

  filter.StopAndClear();
  EXPECT_TRUE(rig.log.HeldKeys().empty());
  EXPECT_FALSE(source->Filtering());
  EXPECT_EQ(rig.opened, 1) << "released on the device that holds them";
}

TEST_F(KeyFilterTest, ShortcutTypesItsKeys10msApartThenReleasesEverything) {
  Assign(kF1, 7, 4);  // Ctrl+V
  Assign(kF2, 2, 0x04);
  filter.Refresh(store, kProfile, 0);
  Keys({{kF2, true}});
  rig.log.Clear();
  const std::chrono::microseconds start = rig.clock.Now();

  Keys({{kF1, true}, {kF1, false}});
  EXPECT_EQ(rig.log.Keys(), (std::vector<std::string>{"29:1", "47:1", "47:0", "29:0", "30:0"}));
  EXPECT_EQ(rig.log.KeyTimes(start), (std::vector<double>{0, 10, 20, 30, 40}));
  EXPECT_TRUE(rig.log.HeldKeys().empty());
}

TEST_F(KeyFilterTest, RandomPressesAndReleasesEndWithNothingHeld) {
  const int keys[] = {kF1, kF2, kF3, kF4, kF5, kF6};
  Assign(kF1, 2, 0x05);
  Assign(kF2, 2, 0x05);  // the same target as F1
  Assign(kF3, 2, 234);
  Assign(kF4, 5, 1);
  Assign(kF5, 7, 13);
  Assign(kF6, 2, 0xE1);  // left Shift
  filter.Refresh(store, kProfile, 0);

  std::mt19937 random(20261211);
  for (int round = 0; round < 40; ++round) {
    std::vector<int> held;
    std::vector<FilteredKey> batch;
    for (int step = 0; step < 30; ++step) {
      const int key = keys[random() % std::size(keys)];
      const bool is_held = std::find(held.begin(), held.end(), key) != held.end();
      batch.push_back({key, !is_held});
      if (is_held) {
        std::erase(held, key);
      } else {
        held.push_back(key);
      }
    }
    if (round % 10 == 9) {
      Keys(batch);
      filter.Refresh(store, kProfile, 0);  // a refresh while keys are down
      batch.clear();
    }
    for (int key : held) batch.push_back({key, false});
    Keys(batch);
    EXPECT_TRUE(rig.log.HeldKeys().empty()) << "round " << round;
  }
}

}  // namespace
