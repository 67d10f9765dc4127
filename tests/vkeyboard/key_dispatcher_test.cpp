// Dispatch of filtered keys by assignment kind, and the shortcut sequences with their timing.
#include <gtest/gtest.h>

#include "keys/assignment_kind.h"
#include "tests/vkeyboard/vkeyboard_fakes.h"
#include "vkeyboard/function_sequences.h"
#include "vkeyboard/key_dispatcher.h"

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using K = VirtualActionKind;

constexpr microseconds kNow{7000};

TEST(KeyDispatch, ByKindOnPressAndRelease) {
  struct Case {
    const char* name;
    int kind;
    int value;
    bool pressed;
    std::vector<VirtualAction> actions;
    int macro_id;
    int software_action;
  };
  const Case cases[] = {
      {"key down", 2, 0x05, true, {{kNow, K::kKey, 0x05, true}}, 0, 0},
      {"key up", 2, 0x05, false, {{kNow, K::kKey, 0x05, false}}, 0, 0},
      {"last key below the functions", 2, 231, true, {{kNow, K::kKey, 231, true}}, 0, 0},
      {"program function", 2, 232, true, {{kNow, K::kConsumer, 232, true}}, 0, 0},
      {"function released", 2, 249, false, {{kNow, K::kConsumer, 249, false}}, 0, 0},
      {"mouse left", 5, 1, true, {{kNow, K::kMouseButton, 0, true}}, 0, 0},
      {"mouse middle", 5, 2, true, {{kNow, K::kMouseButton, 2, true}}, 0, 0},
      {"mouse right up", 5, 3, false, {{kNow, K::kMouseButton, 1, false}}, 0, 0},
      {"mouse fifth", 5, 7, true, {{kNow, K::kMouseButton, 4, true}}, 0, 0},
      {"mouse fourth", 5, 8, true, {{kNow, K::kMouseButton, 3, true}}, 0, 0},
      {"mouse value without a button", 5, 4, true, {}, 0, 0},
      {"macro on press", 3, 9, true, {}, 9, 0},
      {"macro not on release", 3, 9, false, {}, 0, 0},
      {"shortcut not on release", 7, 4, false, {}, 0, 0},
      {"open program", 8, 31, true, {}, 0, 31},
      {"open link", 9, 32, true, {}, 0, 32},
      {"type text", 10, 33, true, {}, 0, 33},
      {"switch profile", 11, 34, true, {}, 0, 34},
      {"software action not on release", 10, 33, false, {}, 0, 0},
      {"disabled key", 1, 1, true, {}, 0, 0},
      {"reserved kind", 6, 5, true, {}, 0, 0},
      {"picker item 500 and up", 12, 600, true, {}, 0, 0},
      {"no such kind", 4, 5, true, {}, 0, 0},
      {"negative kind", -1, 5, true, {}, 0, 0},
  };
  for (const Case& c : cases) {
    const KeyDispatch d = DispatchKey(Assignment(0x3A, c.kind, c.value), c.pressed, kNow);
    EXPECT_EQ(d.actions, c.actions) << c.name;
    EXPECT_EQ(d.macro_id, c.macro_id) << c.name;
    EXPECT_EQ(d.software_action, c.software_action) << c.name;
  }
}

TEST(KeyDispatch, ShortcutsPressInOrderReleaseInReverseEvery10ms) {
  struct Case {
    int value;
    std::vector<int> keys;
  };
  const Case cases[] = {
      {1, {0xE0, 0x04}},        {2, {0xE0, 0x06}},        {3, {0xE0, 0x1B}},  {4, {0xE0, 0x19}},
      {5, {0xE0, 0x1D}},        {6, {0xE0, 0x16}},        {7, {0xE3, 0x08}},  {8, {0xE3, 0x0F}},
      {9, {0xE3, 0x07}},        {10, {0xE2, 0x2B}},       {11, {0xE3, 0x10}}, {12, {0xE0, 0x1A}},
      {13, {0xE2, 0x2C, 0x1B}}, {14, {0xE2, 0x2C, 0x11}}, {15, {0xE2, 0x3D}},
  };
  for (const Case& c : cases) {
    std::vector<VirtualAction> expected;
    microseconds t = kNow;
    for (int k : c.keys) {
      expected.push_back({t, K::kKey, k, true});
      t += milliseconds(10);
    }
    for (auto it = c.keys.rbegin(); it != c.keys.rend(); ++it) {
      expected.push_back({t, K::kKey, *it, false});
      t += milliseconds(10);
    }
    expected.push_back({t, K::kReleaseAll, 0, false});
    EXPECT_EQ(DispatchKey(Assignment(0x3A, 7, c.value), true, kNow).actions, expected) << c.value;
  }
  // Outside 1..15 nothing is typed, but every report is still released.
  for (int value : {0, 16, -3}) {
    EXPECT_EQ(DispatchKey(Assignment(0x3A, 7, value), true, kNow).actions,
              (std::vector<VirtualAction>{{kNow, K::kReleaseAll, 0, false}}))
        << value;
  }
}

}  // namespace
