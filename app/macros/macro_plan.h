// The writes of one pass of a software macro, planned without a device or a clock: each key
// record at its due time, the pass closed by releasing every report.
#pragma once

#include <chrono>
#include <vector>

#include "store/store_rows.h"
#include "vkeyboard/virtual_action.h"

// No record is followed by a shorter pause than this.
inline constexpr std::chrono::milliseconds kMinRecordDelay{5};
// The record types that are key events.
inline constexpr int kRecordPressed = 2;
inline constexpr int kRecordReleased = 3;

// Records of types 2 and 3 become key events of their virtual-key value's key code (program
// functions through the consumer report); every record, of any type, is followed by its delay
// (at least 5 ms). Release all comes after the last delay.
std::vector<VirtualAction> PlanMacroPass(const std::vector<MacroRecordRow>& records,
                                         std::chrono::microseconds start);

// How often a macro of `play_times` plays: at least once, at most 255 times, as the keyboard
// plays it.
int MacroPasses(int play_times);
