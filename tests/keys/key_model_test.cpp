// Key codes from virtual-key codes, key labels and the assignment kind rules.
#include <gtest/gtest.h>

#include <map>

#include "keys/assignment_kind.h"
#include "keys/key_codes.h"
#include "keys/key_label.h"
#include "keys/virtual_key.h"

TEST(KeyCodeFromVirtualKey, MapsRangesAndNamedKeys) {
  struct Case {
    int vk;
    int code;
    const char* what;
  };
  const Case cases[] = {
      {65, 4, "A"},
      {90, 29, "Z"},
      {49, 30, "1"},
      {57, 38, "9"},
      {48, 39, "0"},
      {112, 58, "F1"},
      {123, 69, "F12"},
      {124, 104, "F13"},
      {135, 115, "F24"},
      {97, 89, "keypad 1"},
      {105, 97, "keypad 9"},
      {96, 98, "keypad 0"},
      {136, 136, "136"},
      {139, 139, "139"},
      {13, 40, "Enter"},
      {27, 41, "Esc"},
      {8, 42, "Backspace"},
      {9, 43, "Tab"},
      {32, 44, "Space"},
      {189, 45, "-"},
      {187, 46, "="},
      {220, 49, "\\"},
      {186, 51, ";"},
      {192, 53, "`"},
      {191, 56, "/"},
      {20, 57, "Caps Lock"},
      {44, 70, "Print Screen"},
      {19, 72, "Pause"},
      {46, 76, "Delete"},
      {39, 79, "Right"},
      {38, 82, "Up"},
      {144, 83, "Num Lock"},
      {111, 84, "keypad /"},
      {107, 87, "keypad +"},
      {108, 88, "separator"},
      {110, 99, "keypad ."},
      {162, 224, "LCtrl"},
      {160, 225, "LShift"},
      {91, 227, "LWin"},
      {165, 230, "RAlt"},
      {92, 231, "RWin"},
      {93, 101, "Application"},
      {254, 175, "Fn"},
      {226, 100, "OEM 102"},
      {173, 235, "mute"},
      {174, 233, "vol down"},
      {175, 234, "vol up"},
      {176, 239, "next"},
      {179, 238, "play"},
      {166, 243, "back"},
      {172, 241, "home"},
      {180, 240, "mail"},
      {181, 232, "media"},
      {182, 249, "my computer"},
      {183, 242, "calculator"},
      // No key code: unlisted codes, mouse buttons, and anything outside a byte.
      {0, 0, "0"},
      {1, 0, "left mouse"},
      {16, 0, "Shift (generic)"},
      {140, 0, "140"},
      {255, 0, "255"},
      {-1, 0, "-1"},
      {256, 0, "256"},
      {65 + 256, 0, "A + 256"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyCodeFromVirtualKey(c.vk), c.code) << c.what << " (" << c.vk << ")";
  }
}

TEST(KeyCodeFromVirtualKey, NoTwoVirtualKeysShareAKeyCode) {
  std::map<int, int> first_vk;
  for (int vk = 0; vk < 256; ++vk) {
    const int code = KeyCodeFromVirtualKey(vk);
    if (code == 0) continue;
    const auto [it, inserted] = first_vk.emplace(code, vk);
    EXPECT_TRUE(inserted) << "virtual keys " << it->second << " and " << vk << " give " << code;
  }
}

TEST(KeyLabel, LabelsRangesAndTheNamedKeys) {
  struct Case {
    int code;
    const char* label;
  };
  const Case cases[] = {
      {4, "A"},
      {29, "Z"},
      {30, "1"},
      {38, "9"},
      {39, "0"},
      {89, "1"},
      {97, "9"},
      {98, "0"},
      {58, "F1"},
      {69, "F12"},
      {40, "ENTER"},
      {41, "ESC"},
      {42, "backspace"},
      {49, "\\"},
      {53, "~`"},
      {72, "PASE"},
      {75, "PG UP"},
      {83, "NumLock"},
      {88, "Enter"},
      {99, "."},
      {101, "MENU"},
      {175, "FN"},
      {224, "CTRL"},
      {230, "RALT"},
      // No label: gaps, the F13 range, the right Windows key and functions.
      {0, ""},
      {3, ""},
      {50, ""},
      {100, ""},
      {104, ""},
      {231, ""},
      {234, ""},
      {255, ""},
      {-4, ""},
      {256 + 4, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyLabel(c.code), c.label) << c.code;
}

TEST(AssignmentKind, PickerItemDataChoosesTheKindAndStoredValuesMapBack) {
  EXPECT_EQ(FunctionAssignmentKind(0x04), AssignmentKind::kFunction);
  EXPECT_EQ(FunctionAssignmentKind(kFuncMyComputer), AssignmentKind::kFunction);
  EXPECT_EQ(FunctionAssignmentKind(499), AssignmentKind::kFunction);
  EXPECT_EQ(FunctionAssignmentKind(500), AssignmentKind::kFunctionHigh);

  for (int v : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12}) {
    ASSERT_TRUE(AssignmentKindFromValue(v).has_value()) << v;
    EXPECT_EQ(static_cast<int>(*AssignmentKindFromValue(v)), v);
  }
  for (int v : {-1, 4, 13, 255}) EXPECT_FALSE(AssignmentKindFromValue(v).has_value()) << v;
}
