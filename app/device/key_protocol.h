// KeyProtocol: sends key assignments and macros to the keyboard, for both
// command families, with the protocol's pauses, through the device manager.
#pragma once

#include "device/hid_device_manager.h"
#include "device/key_command_input.h"
#include "device/key_commands.h"

// What a download wrote and what did not fit the keyboard's slots (family 2),
// so the caller can tell the user.
struct KeyDownloadResult {
  int macro_slots_written = 0;
  int remap_slots_written = 0;
  int rows_left_out = 0;
};

class KeyProtocol {
 public:
  KeyProtocol(HidDeviceManager& manager, KeyCommandSource& source);

  // Family 2.
  void WriteRemapSlot(int key_code, int slot);
  void WriteMacroSlot(int key_code, int slot, int kind, int value);
  // Family 1: runs WriteMacros, then sends the key table.
  void WriteKeyTable();
  // Family 1: every macro and shortcut; rebuilds the key -> slot map.
  void WriteMacros();
  // Worker job 6: the current profile's assignments, by the family of `device_type`.
  KeyDownloadResult DownloadKeys(int device_type);

  const Family1SlotMap& GetFamily1Slots() const { return m_family1_slots; }

  static constexpr int kSlotPauseMs = 16;
  static constexpr int kMacroToKeyTableMs = 20;
  static constexpr int kFamily1ReportPauseMs = 10;
  static constexpr int kFamily1MacroReportPauseMs = 100;

 private:
  KeyDownloadResult DownloadFamily2();

  HidDeviceManager& m_manager;
  KeyCommandSource& m_source;
  Family1SlotMap m_family1_slots;
};
