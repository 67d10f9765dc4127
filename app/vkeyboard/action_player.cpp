// Playing planned actions.
#include "vkeyboard/action_player.h"

void ActionPlayer::Play(std::span<const VirtualAction> actions) {
  for (const VirtualAction& action : actions) {
    const std::chrono::microseconds wait = action.due - m_clock.Now();
    if (wait.count() > 0) m_clock.SleepFor(wait);
    Perform(action);
  }
}

bool ActionPlayer::Perform(const VirtualAction& action) {
  switch (action.kind) {
    case VirtualActionKind::kKey:
      return m_vhidev.Key(action.code, action.pressed);
    case VirtualActionKind::kConsumer:
      return m_vhidev.Consumer(action.code, action.pressed);
    case VirtualActionKind::kMouseButton:
      return m_vhidev.MouseButton(action.code, action.pressed);
    case VirtualActionKind::kReleaseAll:
      return m_vhidev.ReleaseAll();
  }
  return false;
}
