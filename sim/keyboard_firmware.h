// KeyboardFirmware: the model of one keyboard's firmware for either command
// family. It takes the output and feature reports the program sends, updates
// the keyboard state, and answers the slot-table and version reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/keyboard_state.h"

enum class SimFamily { kFamily1, kFamily2 };

// How the firmware answers the get-feature reads.
enum class ReadBehaviour {
  kNormal,
  // Answers the first two reads after a request, then no more.
  kFirstTwoReads,
  kNever,
};

class KeyboardFirmware {
 public:
  explicit KeyboardFirmware(SimFamily family) : m_family(family) {}

  SimFamily Family() const { return m_family; }
  void SetReadBehaviour(ReadBehaviour behaviour) { m_reads = behaviour; }

  // A 65-byte (or longer, zero-padded) output report; `aux` for the stream interface.
  void HandleOutput(const std::uint8_t* data, std::size_t length, bool aux);
  void HandleSetFeature(const std::uint8_t* data, std::size_t length);
  // Bytes written into `data` (report id included), -1 when the firmware does not answer.
  int HandleGetFeature(std::uint8_t* data, std::size_t length);

  KeyboardState& State() { return m_state; }
  const KeyboardState& State() const { return m_state; }

 private:
  enum class PendingRead { kNone, kSlotTable, kVersion };

  void HandleFamily1Output(const std::uint8_t* r, bool aux);
  void HandleLongReport(const std::uint8_t* payload);
  // The six light bytes both forms share: mode - 1, colour index, direction, speed, brightness,
  // slot.
  void ApplyFamily2Light(const std::uint8_t* fields);
  void CommitMacroBlock();
  void FactoryReset();
  std::vector<std::uint8_t> SlotTableBytes() const;

  SimFamily m_family;
  ReadBehaviour m_reads = ReadBehaviour::kNormal;
  KeyboardState m_state;
  PendingRead m_pending = PendingRead::kNone;
  int m_reads_answered = 0;
  std::vector<std::uint8_t> m_macro_block;
  bool m_long_reset_armed = false;
};
