// Playing macros and pasting texts.
#include "macros/macro_player.h"

#include "keys/key_codes.h"
#include "macros/macro_plan.h"

namespace {
constexpr int kKeyV = 0x19;
}

MacroPlayer::MacroPlayer(ProfileStore& store, VHidev& vhidev, Clock& clock, Clipboard* clipboard)
    : m_store(store), m_vhidev(vhidev), m_player(vhidev, clock), m_clipboard(clipboard) {}

bool MacroPlayer::PlayMacro(int macro_id) {
  if (!m_vhidev.EnsureOpen()) return false;
  m_vhidev.ReleaseAll();
  MacroRow macro;
  if (!m_store.GetMacro(macro_id, macro)) return false;
  const int passes = MacroPasses(macro.play_times);
  for (int pass = 0; pass < passes; ++pass) {
    std::vector<MacroRecordRow> records;
    m_store.GetMacroRecords(macro_id, records);
    m_player.Play(PlanMacroPass(records, m_player.GetClock().Now()));
  }
  return true;
}

bool MacroPlayer::PasteText(const std::string& text) {
  if (!m_clipboard || !m_vhidev.EnsureOpen()) return false;
  const ClipboardContent earlier = m_clipboard->Read();
  if (!m_clipboard->SetText(text)) return false;
  const std::chrono::microseconds now = m_player.GetClock().Now();
  const VirtualAction steps[] = {
      {now, VirtualActionKind::kKey, kKeyLeftCtrl, true},
      {now, VirtualActionKind::kKey, kKeyV, true},
      {now + kPasteHold, VirtualActionKind::kKey, kKeyV, false},
      {now + kPasteHold, VirtualActionKind::kKey, kKeyLeftCtrl, false},
  };
  m_player.Play(steps);
  // What no text can give back is left with the pasted text rather than emptied as well.
  if (earlier.kind != ClipboardContent::Kind::kOther) m_clipboard->SetText(earlier.text);
  return true;
}
