// Turns the virtual keyboard's report frames into evdev events: it remembers the last key,
// button and consumer reports and, for each new frame, gives the key and button events that
// lead from the old report to the new one.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/input_event.h"
#include "vkeyboard/vhidev_frame.h"

class ReportTranslator {
 public:
  // The events of the changes `frame` makes, closed by a SYN_REPORT; empty when it changes
  // nothing the device can show, or is no report at all.
  std::vector<InputEvent> Translate(const VhidevFrame& frame);

 private:
  void TranslateKeys(std::span<const std::uint8_t> data, std::vector<InputEvent>& out);
  void TranslateButtons(std::span<const std::uint8_t> data, std::vector<InputEvent>& out);
  void TranslateConsumer(std::span<const std::uint8_t> data, std::vector<InputEvent>& out);

  std::array<std::uint8_t, kKeyReportSize - 1> m_key_bits{};
  std::uint8_t m_buttons = 0;
  int m_consumer_usage = 0;
};
