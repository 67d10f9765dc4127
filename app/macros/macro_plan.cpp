// Planning a macro pass.
#include "macros/macro_plan.h"

#include <algorithm>

#include "keys/key_codes.h"
#include "keys/virtual_key.h"

std::vector<VirtualAction> PlanMacroPass(const std::vector<MacroRecordRow>& records,
                                         std::chrono::microseconds start) {
  std::vector<VirtualAction> actions;
  std::chrono::microseconds due = start;
  for (const MacroRecordRow& record : records) {
    const bool key_event = record.type == kRecordPressed || record.type == kRecordReleased;
    const int code = KeyCodeFromVirtualKey(record.value);
    if (key_event && code != kKeyNone) {
      const VirtualActionKind how =
          IsProgramFunction(code) ? VirtualActionKind::kConsumer : VirtualActionKind::kKey;
      actions.push_back({due, how, code, record.type == kRecordPressed});
    }
    due += std::max<std::chrono::microseconds>(std::chrono::milliseconds(record.delay_time),
                                               kMinRecordDelay);
  }
  actions.push_back({due, VirtualActionKind::kReleaseAll, 0, false});
  return actions;
}

int MacroPasses(int play_times) {
  return std::clamp(play_times, 1, 255);
}
