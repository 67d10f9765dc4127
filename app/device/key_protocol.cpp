// The paced key and macro downloads of both command families.
#include "device/key_protocol.h"

#include "device/command_family.h"

KeyProtocol::KeyProtocol(HidDeviceManager& manager, KeyCommandSource& source)
    : m_manager(manager), m_source(source) {}

void KeyProtocol::WriteRemapSlot(int key_code, int slot) {
  const std::optional<KeyAssignmentRow> assignment =
      key_code == 0 ? std::nullopt : m_source.GetKeyAssignment(key_code);
  const std::optional<FeatureReport> report = BuildRemapSlotReport(slot, assignment);
  if (report) m_manager.SendFeature(*report);
}

void KeyProtocol::WriteMacroSlot(int key_code, int slot, int kind, int value) {
  std::optional<StoredMacro> macro;
  if (kind == kKindMacro) macro = m_source.GetMacro(value);
  const MacroSlotBlock block = BuildMacroSlotBlock(key_code, slot, kind, value, macro);
  for (const FeatureReport& report : SplitMacroSlotBlock(block)) m_manager.SendFeature(report);
}

void KeyProtocol::WriteMacros() {
  m_family1_slots.clear();
  int next_slot = 0;
  const std::vector<KeyAssignmentRow> rows = m_source.GetKeyAssignments();
  Clock& clock = m_manager.GetClock();
  for (const KeyAssignmentRow& row : rows) {
    if (row.macro_type != kKindMacro) continue;
    const std::vector<std::uint8_t> block =
        BuildFamily1MacroBlock(m_source.GetMacro(row.macro_value));
    clock.SleepMs(kFamily1ReportPauseMs);
    for (const OutputReport& report : SplitFamily1MacroBlock(block, next_slot)) {
      clock.SleepMs(kFamily1MacroReportPauseMs);
      // A report that cannot be written ends the whole macro download.
      if (!m_manager.SendReport(report)) return;
    }
    m_family1_slots[row.key_code] = next_slot++;
  }
  for (const KeyAssignmentRow& row : rows) {
    if (row.macro_type != kKindShortcut) continue;
    clock.SleepMs(kFamily1ReportPauseMs);
    m_manager.SendReport(BuildFamily1ShortcutReport(row.macro_value, next_slot));
    m_family1_slots[row.key_code] = next_slot++;
  }
}

void KeyProtocol::WriteKeyTable() {
  WriteMacros();
  Clock& clock = m_manager.GetClock();
  clock.SleepMs(kMacroToKeyTableMs);
  const Family1KeyTable table =
      BuildFamily1KeyTable(m_source.GetKeyAssignments(), m_source, m_family1_slots);
  for (const OutputReport& report : SplitFamily1KeyTable(table)) {
    clock.SleepMs(kFamily1ReportPauseMs);
    m_manager.SendReport(report);
  }
}

KeyDownloadResult KeyProtocol::DownloadKeys(int device_type) {
  // Without a keyboard to receive it the download ends at once instead of
  // pacing hundreds of reports that go nowhere.
  if (!m_manager.IsReady() || m_manager.GetActiveDevice() < 0) return {};
  switch (CommandFamilyOf(device_type)) {
    case CommandFamily::kFamily1:
      WriteKeyTable();
      return {};
    case CommandFamily::kFamily2:
      return DownloadFamily2();
    case CommandFamily::kNone:
      break;
  }
  return {};
}

KeyDownloadResult KeyProtocol::DownloadFamily2() {
  KeyDownloadResult result;
  Clock& clock = m_manager.GetClock();
  SlotTable table{};
  FeatureReport request = MakeFeatureReport(kCmdReadSlotTable);
  request[2] = kSlotTableSubcommand;
  m_manager.ReadSlotTable(request, table);
  // Every one of the 13 macro slots is cleared: a macro left in the last slot by
  // an earlier download would otherwise stay bound to its key for good.
  for (int i = 1; i <= kMacroSlotCount; ++i) {
    if (table[i] == 0) continue;
    clock.SleepMs(kSlotPauseMs);
    WriteMacroSlot(table[i], i, kKindFactory, 0);
  }
  for (int i = 1; i <= kRemapSlotCount; ++i) {
    if (table[kMacroSlotCount + i] == 0) continue;
    clock.SleepMs(kSlotPauseMs);
    WriteRemapSlot(0, i);
  }
  int macro_slot = 1;
  int remap_slot = 1;
  for (const KeyAssignmentRow& row : m_source.GetKeyAssignments()) {
    if (row.macro_type == kKindFactory) continue;
    if (row.macro_type == kKindMacro || row.macro_type == kKindShortcut) {
      if (macro_slot > kMacroSlotCount) {
        ++result.rows_left_out;
        continue;
      }
      clock.SleepMs(kSlotPauseMs);
      WriteMacroSlot(row.key_code, macro_slot++, row.macro_type, row.macro_value);
      ++result.macro_slots_written;
    } else {
      if (remap_slot > kRemapSlotCount) {
        ++result.rows_left_out;
        continue;
      }
      clock.SleepMs(kSlotPauseMs);
      WriteRemapSlot(row.key_code, remap_slot++);
      ++result.remap_slots_written;
    }
  }
  return result;
}
