// The state a simulated keyboard's firmware keeps: what the last commands of
// either command family set, the slots and macros it stores, and counters of
// what it saw.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

struct SimMacroEvent {
  std::uint8_t key_code = 0;
  // Family 2: the delay byte. Family 1: the two timing bytes.
  std::uint8_t timing1 = 0;
  std::uint8_t timing2 = 0;
};

struct SimMacroSlot {
  int key_code = 0;
  int repeat = 0;
  std::vector<SimMacroEvent> events;
};

struct SimRemapSlot {
  int key_code = 0;
  int value = 0;
};

struct KeyboardState {
  // Lighting, as the last mode command set it.
  int mode = 0;
  int brightness = 0;
  int speed = 0;
  int direction = 0;
  int colorful = 0;
  int colorindex = 0;
  std::array<std::uint8_t, 3> rgb{};
  int custom_slot = 0;
  std::array<std::uint8_t, 600> custom_colours{};
  std::array<std::uint8_t, 600> stream_colours{};
  int stream_starts = 0;
  int stream_frames = 0;
  int music_effect = 0;
  int music_colour = 0;
  int music_level = 0;
  int music_reports = 0;

  // Family 2 slots, numbered from 1.
  std::map<int, SimMacroSlot> macro_slots;
  std::map<int, SimRemapSlot> remap_slots;
  // Family 1: the 360-byte key table and the macro blocks by slot number.
  std::array<std::uint8_t, 360> key_table{};
  std::map<int, std::vector<std::uint8_t>> family1_macros;

  std::uint16_t firmware_version = 0x0106;
  int resets = 0;
  // Reports the firmware did not understand (a wrong family, a stray byte).
  int unknown_reports = 0;
};
