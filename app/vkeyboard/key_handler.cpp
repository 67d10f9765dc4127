// A shortcut plays to its end before the next key is handled, so keys typed after it never land
// between its presses and releases.
#include "vkeyboard/key_handler.h"

#include "vkeyboard/key_dispatcher.h"

KeyHandler::KeyHandler(const KeyFilter& filter, VHidev& vhidev, Clock& clock,
                       MacroRunQueueSink& macros, SoftwareKeyActionSink* actions)
    : m_filter(filter),
      m_vhidev(vhidev),
      m_player(vhidev, clock),
      m_macros(macros),
      m_actions(actions) {}

int KeyHandler::OnFilteredKey(int key_code, bool pressed) {
  const std::optional<KeyAssignmentRow> row = m_filter.Lookup(key_code);
  if (!row) return 0;
  const KeyDispatch dispatch = DispatchKey(*row, pressed, m_player.GetClock().Now());
  if (!dispatch.actions.empty() && m_vhidev.EnsureOpen()) m_player.Play(dispatch.actions);
  if (dispatch.macro_id != 0) m_macros.EnqueueMacro(dispatch.macro_id);
  if (dispatch.software_action != 0 && m_actions) {
    m_actions->RunSoftwareKeyAction(dispatch.software_action);
  }
  return 1;
}
