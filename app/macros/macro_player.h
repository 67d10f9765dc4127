// Software input on the worker thread: Play macro (a stored macro typed through the virtual
// keyboard, pass by pass) and Paste text (a text typed as Ctrl+V through the clipboard).
#pragma once

#include <string>

#include "device/clock.h"
#include "platform/clipboard.h"
#include "store/profile_store.h"
#include "vkeyboard/action_player.h"
#include "vkeyboard/vhidev.h"

class MacroPlayer {
 public:
  // How long V stays down while the text is pasted.
  static constexpr std::chrono::milliseconds kPasteHold{100};

  // `clipboard` may be null; Paste text then does nothing.
  MacroPlayer(ProfileStore& store, VHidev& vhidev, Clock& clock, Clipboard* clipboard);

  // False when the virtual device cannot be opened or the macro does not exist. The records are
  // read again for every pass, and every pass ends with every key released.
  bool PlayMacro(int macro_id);
  // Puts `text` on the clipboard, types Ctrl+V and then gives the clipboard its earlier text back
  // (an empty text when it held nothing; only the text of content that came in other forms as
  // well). Content without a text (an image) or that could not be read in time is not replaced
  // by an empty text: the pasted text stays. False when nothing was typed.
  bool PasteText(const std::string& text);

 private:
  ProfileStore& m_store;
  VHidev& m_vhidev;
  ActionPlayer m_player;
  Clipboard* m_clipboard;
};
