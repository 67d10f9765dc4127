// The keys of each shortcut are the ones the keyboard itself is given for it, modifiers first,
// so modifiers are pressed first and released last.
#include "vkeyboard/function_sequences.h"

#include "device/key_commands.h"

std::vector<VirtualAction> FunctionSequence(int value, std::chrono::microseconds start) {
  std::vector<VirtualAction> steps;
  const std::vector<std::uint8_t> keys = ShortcutKeys(value);
  std::chrono::microseconds due = start;
  auto add = [&](int key, bool pressed) {
    steps.push_back({due, VirtualActionKind::kKey, key, pressed});
    due += kFunctionStepPause;
  };
  for (std::uint8_t key : keys) add(key, true);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) add(*it, false);
  return steps;
}
