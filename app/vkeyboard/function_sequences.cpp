// Modifiers come first in each list, so they are pressed first and released last.
#include "vkeyboard/function_sequences.h"

#include <array>

#include "keys/assignment_kind.h"
#include "keys/key_codes.h"

namespace {

constexpr int kKeyC = 0x06;
constexpr int kKeyD = 0x07;
constexpr int kKeyE = 0x08;
constexpr int kKeyL = 0x0F;
constexpr int kKeyM = 0x10;
constexpr int kKeyN = 0x11;
constexpr int kKeyS = 0x16;
constexpr int kKeyV = 0x19;
constexpr int kKeyW = 0x1A;
constexpr int kKeyX = 0x1B;
constexpr int kKeyF4 = 0x3D;

struct Shortcut {
  std::array<int, 3> keys;
  int count;
};

constexpr std::array<Shortcut, kShortcutCount> kShortcuts = {{
    {{kKeyLeftCtrl, kKeyA}, 2},             // 1 select all
    {{kKeyLeftCtrl, kKeyC}, 2},             // 2 copy
    {{kKeyLeftCtrl, kKeyX}, 2},             // 3 cut
    {{kKeyLeftCtrl, kKeyV}, 2},             // 4 paste
    {{kKeyLeftCtrl, kKeyZ}, 2},             // 5 undo
    {{kKeyLeftCtrl, kKeyS}, 2},             // 6 save
    {{kKeyLeftWin, kKeyE}, 2},              // 7 file manager
    {{kKeyLeftWin, kKeyL}, 2},              // 8 lock
    {{kKeyLeftWin, kKeyD}, 2},              // 9 desktop
    {{kKeyLeftAlt, kKeyTab}, 2},            // 10 switch window
    {{kKeyLeftWin, kKeyM}, 2},              // 11 minimise all
    {{kKeyLeftCtrl, kKeyW}, 2},             // 12 close tab
    {{kKeyLeftAlt, kKeySpace, kKeyX}, 3},   // 13 window menu, maximise
    {{kKeyLeftAlt, kKeySpace, kKeyN}, 3},   // 14 window menu, minimise
    {{kKeyLeftAlt, kKeyF4}, 2},             // 15 close window
}};

}  // namespace

std::vector<VirtualAction> FunctionSequence(int value, std::chrono::microseconds start) {
  std::vector<VirtualAction> steps;
  if (!IsShortcutValue(value)) return steps;
  const Shortcut& s = kShortcuts[value - 1];
  std::chrono::microseconds due = start;
  auto add = [&](int key, bool pressed) {
    steps.push_back({due, VirtualActionKind::kKey, key, pressed});
    due += kFunctionStepPause;
  };
  for (int i = 0; i < s.count; ++i) add(s.keys[i], true);
  for (int i = s.count - 1; i >= 0; --i) add(s.keys[i], false);
  return steps;
}
