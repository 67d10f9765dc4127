// Byte building of the key and macro commands of both command families: the
// delay byte, the built-in shortcut sequences, the family 2 remap and macro slot
// reports, and the family 1 macro blocks and key table. Pure: values in, reports out.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "device/key_command_input.h"
#include "device/reports.h"

inline constexpr std::uint8_t kCmdWriteRemapSlot = 0xFA;
inline constexpr std::uint8_t kCmdWriteMacroSlot = 0xF1;
inline constexpr std::uint8_t kCmdFamily1KeyTable = 0x8D;
inline constexpr std::uint8_t kCmdFamily1Macro = 0x8E;

inline constexpr int kMacroSlotCount = 13;
inline constexpr int kRemapSlotCount = 10;
inline constexpr std::size_t kMacroSlotBlockSize = 168;
inline constexpr std::size_t kMacroSlotReports = 28;
inline constexpr std::size_t kMacroSlotMaxEvents = 82;
inline constexpr std::size_t kFamily1KeyPositions = 180;
inline constexpr std::size_t kFamily1KeyTableSize = 2 * kFamily1KeyPositions;
inline constexpr std::size_t kFamily1MacroBlockMax = 1200;
inline constexpr std::size_t kFamily1MacroChunk = 59;
inline constexpr int kFamily1MaxMacroRecords = 255;

using MacroSlotBlock = std::array<std::uint8_t, kMacroSlotBlockSize>;
using Family1KeyTable = std::array<std::uint8_t, kFamily1KeyTableSize>;
// Key code -> family 1 macro slot number, as the last macro download gave them.
using Family1SlotMap = std::map<int, int>;

// The family 2 timing byte of a macro event.
std::uint8_t EncodeDelayByte(int delay_ms, bool release);

// Key codes of shortcut `value` (1 to 15) in press order; empty outside the range.
std::vector<std::uint8_t> ShortcutKeys(int value);
// Events (key code, delay byte) of a shortcut; nothing outside the range.
std::vector<std::uint8_t> ShortcutEventsFamily2(int value);
// Events (key code, two timing bytes) of a shortcut; four zero events outside the range.
std::vector<std::uint8_t> ShortcutEventsFamily1(int value);

// The 0xFA report for remap slot `slot`; none when the assignment's kind lives in macro slots.
std::optional<FeatureReport> BuildRemapSlotReport(
    int slot, const std::optional<KeyAssignmentRow>& assignment);
// The macro slot block; `macro` is read for kind 3 (none when the macro is missing).
MacroSlotBlock BuildMacroSlotBlock(int key_code, int slot, int kind, int value,
                                   const std::optional<StoredMacro>& macro);
// The 28 feature reports a macro slot block travels in.
std::vector<FeatureReport> SplitMacroSlotBlock(const MacroSlotBlock& block);

// The family 1 macro block (3 x (records + 1) bytes).
std::vector<std::uint8_t> BuildFamily1MacroBlock(const std::optional<StoredMacro>& macro);
std::vector<OutputReport> SplitFamily1MacroBlock(const std::vector<std::uint8_t>& block, int slot);
OutputReport BuildFamily1ShortcutReport(int value, int slot);
// Rows at a position outside the table or without one are left out.
Family1KeyTable BuildFamily1KeyTable(const std::vector<KeyAssignmentRow>& rows,
                                     KeyCommandSource& source, const Family1SlotMap& slots);
std::vector<OutputReport> SplitFamily1KeyTable(const Family1KeyTable& table);
