// The firmware model of both command families.
#include "sim/keyboard_firmware.h"

#include <algorithm>
#include <cstring>

#include "device/key_commands.h"
#include "device/light_commands.h"
#include "device/reports.h"

namespace {

constexpr std::uint8_t kLongHeader[] = {0xBB, 0xAA, 0x99, 0x88};

int Le16(const std::uint8_t* at) {
  return at[0] | (at[1] << 8);
}

// Copies from an output report's payload at byte 5; a count beyond the
// report's end (byte 2 can say up to 255) stops at the end.
template <std::size_t N>
void CopyBounded(std::array<std::uint8_t, N>& into, int offset, const std::uint8_t* from,
                 std::size_t length) {
  if (offset < 0 || static_cast<std::size_t>(offset) >= N) return;
  length = std::min(length, kOutputReportSize - 5);
  const std::size_t n = std::min(length, N - static_cast<std::size_t>(offset));
  std::memcpy(into.data() + offset, from, n);
}

}  // namespace

void KeyboardFirmware::HandleOutput(const std::uint8_t* data, std::size_t length, bool aux) {
  if (length < kOutputReportSize) {
    ++m_state.unknown_reports;
    return;
  }
  if (std::equal(std::begin(kLongHeader), std::end(kLongHeader), data + 1)) {
    if (m_family == SimFamily::kFamily2 && !aux) {
      HandleLongReport(data + 1);
    } else {
      ++m_state.unknown_reports;
    }
    return;
  }
  if (m_family == SimFamily::kFamily1) {
    HandleFamily1Output(data, aux);
    return;
  }
  // Family 2 takes the custom colour upload in the output form too.
  if (data[1] == kCmdCustomColours && !aux) {
    CopyBounded(m_state.custom_colours, Le16(data + 3), data + 5, data[2]);
    return;
  }
  ++m_state.unknown_reports;
}

void KeyboardFirmware::HandleFamily1Output(const std::uint8_t* r, bool aux) {
  const std::uint8_t command = r[1];
  if (aux) {
    if (command != kCmdStreamFrame) {
      ++m_state.unknown_reports;
      return;
    }
    const int offset = Le16(r + 3);
    // Every stream report carries 60 bytes, whatever its length byte says.
    CopyBounded(m_state.stream_colours, offset, r + 5, 60);
    if (offset == 300) ++m_state.stream_frames;
    return;
  }
  switch (command) {
    case kCmdModeSelect:
      m_state.mode = r[3];
      return;
    case kCmdModeParameters:
      m_state.direction = (r[3] >> 4) & 3;
      m_state.colorful = (r[3] & 0x40) != 0;
      m_state.speed = r[3] & 0x0F;
      m_state.rgb = {r[4], r[5], r[6]};
      m_state.brightness = r[7];
      return;
    case kCmdCustomColours:
      CopyBounded(m_state.custom_colours, Le16(r + 3), r + 5, r[2]);
      return;
    case kCmdStreamStart:
      if (r[2] == 0xF4) {
        ++m_state.stream_starts;
        return;
      }
      break;
    case kCmdFamily1Reset:
      if (r[2] == 0xFE && r[3] == 0xAA && r[4] == 0xFF) {
        FactoryReset();
        return;
      }
      break;
    case kCmdFamily1KeyTable:
      CopyBounded(m_state.key_table, Le16(r + 3), r + 5, r[2]);
      return;
    case kCmdFamily1Macro: {
      std::vector<std::uint8_t>& block = m_state.family1_macros[r[5]];
      const std::size_t offset = static_cast<std::size_t>(Le16(r + 3));
      // A shortcut report's declared length leaves out its two header bytes.
      const std::size_t length = offset == 0 && r[6] == 1 && r[2] == 3 * r[7] ? r[2] + 2u : r[2];
      if (offset + length > kFamily1MacroBlockMax) {
        ++m_state.unknown_reports;
        return;
      }
      if (offset == 0) block.clear();
      if (block.size() < offset + length) block.resize(offset + length, 0);
      // An empty block has no storage yet; memcpy must not see its null pointer.
      if (length > 0) std::memcpy(block.data() + offset, r + 6, std::min<std::size_t>(length, 59));
      return;
    }
    default:
      break;
  }
  ++m_state.unknown_reports;
}

void KeyboardFirmware::HandleLongReport(const std::uint8_t* p) {
  const bool header_only = std::all_of(p + 4, p + 64, [](std::uint8_t b) { return b == 0; });
  if (header_only) {
    if (m_long_reset_armed) FactoryReset();
    m_long_reset_armed = false;
    return;
  }
  if (std::all_of(p + 4, p + 10, [](std::uint8_t b) { return b == 0xAA; })) {
    m_long_reset_armed = true;
    return;
  }
  if (p[4] == 0xAA) {
    ApplyFamily2Light(p + 5);
    return;
  }
  ++m_state.unknown_reports;
}

void KeyboardFirmware::HandleSetFeature(const std::uint8_t* data, std::size_t length) {
  if (length < kFeatureReportSize || data[0] != kFeatureReportId) {
    ++m_state.unknown_reports;
    return;
  }
  const std::uint8_t command = data[1];
  // The 27 continuation reports of a macro slot block carry command 0.
  if (!m_macro_block.empty() && command == 0x00) {
    m_macro_block.insert(m_macro_block.end(), data + 2, data + 8);
    if (m_macro_block.size() == kMacroSlotBlockSize) CommitMacroBlock();
    return;
  }
  m_macro_block.clear();
  const bool family2 = m_family == SimFamily::kFamily2;
  if (command == kCmdReadSlotTable && data[2] == kSlotTableSubcommand && family2) {
    m_pending = PendingRead::kSlotTable;
    m_reads_answered = 0;
  } else if (command == kCmdReadFirmwareVersion) {
    m_pending = PendingRead::kVersion;
    m_reads_answered = 0;
  } else if (command == kCmdWriteRemapSlot && data[2] == 0x01 && family2) {
    const int slot = data[3];
    if (slot < 1 || slot > kRemapSlotCount) {
      ++m_state.unknown_reports;
    } else if (data[4] == 0) {
      m_state.remap_slots.erase(slot);
    } else {
      m_state.remap_slots[slot] = {data[4], data[6]};
    }
  } else if (command == kCmdWriteMacroSlot && family2) {
    m_macro_block.assign(data + 2, data + 8);
  } else if (command == kCmdFamily2Light && family2) {
    ApplyFamily2Light(data + 2);
  } else if (command == kCmdFamily2Reset && data[2] == 0xAA && family2) {
    FactoryReset();
  } else if (command == kCmdMusicLevel && data[2] == 0x45 && data[3] == 0x67 && data[4] == 0x89 &&
             family2) {
    m_state.music_effect = data[5];
    m_state.music_colour = data[6];
    m_state.music_level = data[7];
    ++m_state.music_reports;
  } else if (command == kCmdCustomSlotSelect && data[2] == 0xFF && !family2) {
    m_state.mode = data[3] + 1;
    m_state.brightness = data[4];
    m_state.speed = data[5];
    m_state.custom_slot = data[7];
  } else {
    ++m_state.unknown_reports;
  }
}

void KeyboardFirmware::ApplyFamily2Light(const std::uint8_t* f) {
  m_state.mode = f[0] + 1;
  m_state.colorindex = f[1];
  m_state.direction = f[2];
  m_state.speed = f[3];
  m_state.brightness = f[4];
  m_state.custom_slot = f[5];
  // The colour mode carries R, G and B in the direction, speed and slot bytes.
  if (f[0] == 3) m_state.rgb = {f[2], f[3], f[5]};
}

void KeyboardFirmware::CommitMacroBlock() {
  const std::vector<std::uint8_t> block = std::move(m_macro_block);
  m_macro_block.clear();
  const int slot = block[1];
  if (block[0] != 1 || slot < 1 || slot > kMacroSlotCount) {
    ++m_state.unknown_reports;
    return;
  }
  if (block[2] == 0) {
    m_state.macro_slots.erase(slot);
    return;
  }
  SimMacroSlot entry;
  entry.key_code = block[2];
  entry.repeat = block[3];
  for (std::size_t i = 4; i + 1 < block.size() && block[i] != 0; i += 2) {
    entry.events.push_back({block[i], block[i + 1], 0});
  }
  m_state.macro_slots[slot] = std::move(entry);
}

std::vector<std::uint8_t> KeyboardFirmware::SlotTableBytes() const {
  std::vector<std::uint8_t> table(kSlotTableSize, 0);
  for (const auto& [slot, entry] : m_state.macro_slots)
    table[slot] = static_cast<std::uint8_t>(entry.key_code);
  for (const auto& [slot, entry] : m_state.remap_slots) {
    table[kMacroSlotCount + slot] = static_cast<std::uint8_t>(entry.key_code);
  }
  return table;
}

int KeyboardFirmware::HandleGetFeature(std::uint8_t* data, std::size_t length) {
  if (length < kFeatureReportSize || m_pending == PendingRead::kNone) return -1;
  if (m_reads == ReadBehaviour::kNever) return -1;
  if (m_reads == ReadBehaviour::kFirstTwoReads && m_reads_answered >= 2) return -1;
  std::fill(data, data + kFeatureReportSize, 0);
  data[0] = kFeatureReportId;
  if (m_pending == PendingRead::kVersion) {
    data[1] = static_cast<std::uint8_t>(m_state.firmware_version >> 8);
    data[2] = static_cast<std::uint8_t>(m_state.firmware_version & 0xFF);
    m_pending = PendingRead::kNone;
  } else {
    const std::vector<std::uint8_t> table = SlotTableBytes();
    const std::size_t part = static_cast<std::size_t>(m_reads_answered) % 4;
    std::copy_n(table.begin() + 7 * part, 7, data + 1);
    if (part == 3) m_pending = PendingRead::kNone;
  }
  ++m_reads_answered;
  return static_cast<int>(kFeatureReportSize);
}

void KeyboardFirmware::FactoryReset() {
  KeyboardState fresh;
  fresh.firmware_version = m_state.firmware_version;
  fresh.resets = m_state.resets + 1;
  fresh.unknown_reports = m_state.unknown_reports;
  fresh.stream_starts = m_state.stream_starts;
  m_state = fresh;
}
