// Byte building of the key, macro and shortcut commands.
#include "device/key_commands.h"

#include <algorithm>

#include "keys/virtual_key.h"

namespace {

constexpr std::uint8_t kReleaseBit = 0x80;
constexpr std::uint8_t kFamily2PressDelay = 0x01;
constexpr std::uint8_t kFamily2ReleaseDelay = 0x81;
constexpr std::uint8_t kFamily1ShortcutTiming = 0x64;
constexpr std::uint8_t kFamily1PressHigh = 0x80;
constexpr std::uint8_t kFamily1KeyAction = 0x20;
constexpr std::uint8_t kFamily1MacroAction = 0x40;
constexpr std::size_t kFamily1KeyTableChunk = 60;
constexpr std::size_t kFamily1KeyTableReports = 4;

constexpr std::uint8_t kLeftCtrl = 0xE0;
constexpr std::uint8_t kLeftAlt = 0xE2;
constexpr std::uint8_t kLeftGui = 0xE3;

const std::vector<std::uint8_t> kShortcuts[] = {
    {kLeftCtrl, 0x04},      {kLeftCtrl, 0x06},      {kLeftCtrl, 0x1B}, {kLeftCtrl, 0x19},
    {kLeftCtrl, 0x1D},      {kLeftCtrl, 0x16},      {kLeftGui, 0x08},  {kLeftGui, 0x0F},
    {kLeftGui, 0x07},       {kLeftAlt, 0x2B},       {kLeftGui, 0x10},  {kLeftCtrl, 0x1A},
    {kLeftAlt, 0x2C, 0x1B}, {kLeftAlt, 0x2C, 0x11}, {kLeftAlt, 0x3D},
};

void PutLe16(std::uint8_t* at, std::size_t value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

std::uint8_t EncodeDelayByte(int delay_ms, bool release) {
  const std::uint8_t release_bit = release ? kReleaseBit : 0;
  if (delay_ms < 0) return release ? kReleaseBit : kFamily2PressDelay;
  const int d = std::min(delay_ms, 31000);
  int count = 1;
  int unit = 0;
  if (d <= 10) {
    count = 1;
  } else if (d <= 310) {
    count = d / 10;
  } else if (d <= 1550) {
    count = d / 50;
    unit = 1;
  } else if (d <= 3100) {
    count = d / 100;
    unit = 1;
  } else {
    count = d / 1000;
    unit = 3;
  }
  std::uint8_t byte = static_cast<std::uint8_t>(release_bit | (unit << 5) | (count & 0x1F));
  if (byte <= 1) byte = 1;
  return byte;
}

std::vector<std::uint8_t> ShortcutKeys(int value) {
  if (value < 1 || value > 15) return {};
  return kShortcuts[value - 1];
}

std::vector<std::uint8_t> ShortcutEventsFamily2(int value) {
  const std::vector<std::uint8_t> keys = ShortcutKeys(value);
  std::vector<std::uint8_t> events;
  for (std::uint8_t k : keys) events.insert(events.end(), {k, kFamily2PressDelay});
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    events.insert(events.end(), {*it, kFamily2ReleaseDelay});
  }
  return events;
}

std::vector<std::uint8_t> ShortcutEventsFamily1(int value) {
  const std::vector<std::uint8_t> keys = ShortcutKeys(value);
  if (keys.empty()) return std::vector<std::uint8_t>(12, 0);
  std::vector<std::uint8_t> events;
  for (std::uint8_t k : keys)
    events.insert(events.end(), {k, kFamily1ShortcutTiming, kFamily1PressHigh});
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    events.insert(events.end(), {*it, kFamily1ShortcutTiming, 0x00});
  }
  return events;
}

std::optional<FeatureReport> BuildRemapSlotReport(
    int slot, const std::optional<KeyAssignmentRow>& assignment) {
  FeatureReport r = MakeFeatureReport(kCmdWriteRemapSlot);
  r[2] = 0x01;
  r[3] = static_cast<std::uint8_t>(slot);
  r[5] = 0x01;
  r[7] = 0x01;
  if (!assignment || assignment->macro_value < 1) return r;
  const int kind = assignment->macro_type;
  if (kind == kKindFactory || kind == kKindMacro || kind == kKindShortcut) return std::nullopt;
  r[4] = static_cast<std::uint8_t>(assignment->key_code);
  r[6] = static_cast<std::uint8_t>(assignment->macro_value & 0xFF);
  return r;
}

MacroSlotBlock BuildMacroSlotBlock(int key_code, int slot, int kind, int value,
                                   const std::optional<StoredMacro>& macro) {
  MacroSlotBlock block{};
  block[0] = 1;
  block[1] = static_cast<std::uint8_t>(slot);
  std::vector<std::uint8_t> events;
  if (kind == kKindShortcut) {
    block[2] = static_cast<std::uint8_t>(key_code);
    block[3] = 1;
    events = ShortcutEventsFamily2(value);
  } else if (kind == kKindMacro && macro) {
    block[2] = static_cast<std::uint8_t>(key_code);
    block[3] = static_cast<std::uint8_t>(macro->row.play_times & 0xFF);
    for (const MacroRecordRow& rec : macro->records) {
      if (rec.type != kRecordPress && rec.type != kRecordRelease) continue;
      events.push_back(static_cast<std::uint8_t>(KeyCodeFromVirtualKey(rec.value)));
      events.push_back(EncodeDelayByte(rec.delay_time, rec.type == kRecordRelease));
    }
  }
  // Events past the 82nd do not fit the block and are dropped.
  const std::size_t n = std::min(events.size(), kMacroSlotBlockSize - 4);
  std::copy_n(events.begin(), n, block.begin() + 4);
  return block;
}

std::vector<FeatureReport> SplitMacroSlotBlock(const MacroSlotBlock& block) {
  std::vector<FeatureReport> reports;
  for (std::size_t i = 0; i < kMacroSlotReports; ++i) {
    FeatureReport r = MakeFeatureReport(i == 0 ? kCmdWriteMacroSlot : 0x00);
    std::copy_n(block.begin() + 6 * i, 6, r.begin() + 2);
    reports.push_back(r);
  }
  return reports;
}

std::vector<std::uint8_t> BuildFamily1MacroBlock(const std::optional<StoredMacro>& macro) {
  std::size_t records = 0;
  int play_times = 1;
  if (macro) {
    // The count travels in one byte; records past 255 are left out rather than
    // letting the count wrap and the firmware read a different macro.
    records = std::min<std::size_t>(macro->records.size(), kFamily1MaxMacroRecords);
    play_times = std::clamp(macro->row.play_times, 1, 255);
  }
  std::vector<std::uint8_t> block(3 * (records + 1), 0);
  block[0] = static_cast<std::uint8_t>(play_times);
  block[1] = static_cast<std::uint8_t>(records);
  std::size_t at = 2;
  for (std::size_t i = 0; i < records; ++i) {
    const MacroRecordRow& rec = macro->records[i];
    const int d = rec.delay_time;
    const auto code = static_cast<std::uint8_t>(KeyCodeFromVirtualKey(rec.value));
    if (rec.type == kRecordPress) {
      block[at] = code;
      block[at + 1] = static_cast<std::uint8_t>(d & 0xFF);
      block[at + 2] = static_cast<std::uint8_t>(((d >> 8) | 0x80) & 0xFF);
      at += 3;
    } else if (rec.type == kRecordRelease) {
      block[at] = code;
      block[at + 1] = static_cast<std::uint8_t>((d & 0xFF) | 0x80);
      block[at + 2] = static_cast<std::uint8_t>((d >> 8) & 0x7F);
      at += 3;
    }
  }
  return block;
}

std::vector<OutputReport> SplitFamily1MacroBlock(const std::vector<std::uint8_t>& block, int slot) {
  std::vector<OutputReport> reports;
  const std::size_t parts = (block.size() + kFamily1MacroChunk - 1) / kFamily1MacroChunk;
  for (std::size_t k = 0; k < parts; ++k) {
    const std::size_t offset = kFamily1MacroChunk * k;
    const std::size_t length = std::min(kFamily1MacroChunk, block.size() - offset);
    OutputReport r = MakeOutputReport(kCmdFamily1Macro);
    r[2] = static_cast<std::uint8_t>(length);
    PutLe16(&r[3], offset);
    r[5] = static_cast<std::uint8_t>(slot);
    std::copy_n(block.begin() + offset, length, r.begin() + 6);
    reports.push_back(r);
  }
  return reports;
}

OutputReport BuildFamily1ShortcutReport(int value, int slot) {
  const std::vector<std::uint8_t> events = ShortcutEventsFamily1(value);
  const std::size_t n = events.size() / 3;
  OutputReport r = MakeOutputReport(kCmdFamily1Macro);
  r[2] = static_cast<std::uint8_t>(3 * n);
  r[5] = static_cast<std::uint8_t>(slot);
  r[6] = 1;
  r[7] = static_cast<std::uint8_t>(n);
  std::copy(events.begin(), events.end(), r.begin() + 8);
  return r;
}

Family1KeyTable BuildFamily1KeyTable(const std::vector<KeyAssignmentRow>& rows,
                                     KeyCommandSource& source, const Family1SlotMap& slots) {
  Family1KeyTable table{};
  for (const KeyAssignmentRow& row : rows) {
    const std::optional<int> position = source.KeyIndex(row.key_code);
    if (!position || *position < 0 || *position >= static_cast<int>(kFamily1KeyPositions)) continue;
    std::uint8_t* cell = &table[2 * static_cast<std::size_t>(*position)];
    if (row.macro_type == kKindFunction) {
      cell[0] = static_cast<std::uint8_t>(row.macro_value & 0xFF);
      cell[1] = kFamily1KeyAction;
    } else if (row.macro_type == kKindDisabled) {
      cell[0] = 0x00;
      cell[1] = kFamily1KeyAction;
    } else if (row.macro_type == kKindMacro || row.macro_type == kKindShortcut) {
      const auto slot = slots.find(row.key_code);
      if (slot == slots.end()) continue;
      cell[0] = static_cast<std::uint8_t>(slot->second);
      cell[1] = kFamily1MacroAction;
    }
  }
  return table;
}

std::vector<OutputReport> SplitFamily1KeyTable(const Family1KeyTable& table) {
  std::vector<OutputReport> reports;
  for (std::size_t j = 0; j < kFamily1KeyTableReports; ++j) {
    OutputReport r = MakeOutputReport(kCmdFamily1KeyTable);
    r[2] = j < 3 ? 60 : 40;
    PutLe16(&r[3], j * kFamily1KeyTableChunk);
    std::copy_n(table.begin() + j * kFamily1KeyTableChunk, kFamily1KeyTableChunk, r.begin() + 5);
    reports.push_back(r);
  }
  return reports;
}
