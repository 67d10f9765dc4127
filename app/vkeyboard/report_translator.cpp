// Report differences become key events in usage order; usages the device has no code for only
// change the remembered state.
#include "vkeyboard/report_translator.h"

#include "platform/evdev_codes.h"

namespace {

void AddKey(std::vector<InputEvent>& out, int code, bool pressed) {
  if (code == 0) return;
  out.push_back(
      {kEventKey, static_cast<std::uint16_t>(code), pressed ? kKeyValueDown : kKeyValueUp});
}

}  // namespace

std::vector<InputEvent> ReportTranslator::Translate(const VhidevFrame& frame) {
  std::vector<InputEvent> out;
  const std::optional<VhidevReport> report = ParseVhidevFrame(frame);
  if (!report) return out;
  switch (report->id) {
    case kKeyReportId:
      TranslateKeys(report->data, out);
      break;
    case kMouseReportId:
      TranslateButtons(report->data, out);
      break;
    case kConsumerReportId:
      TranslateConsumer(report->data, out);
      break;
    default:
      break;
  }
  if (!out.empty()) out.push_back({kEventSyn, kSynReport, 0});
  return out;
}

void ReportTranslator::TranslateKeys(std::span<const std::uint8_t> data,
                                     std::vector<InputEvent>& out) {
  // Byte 0 of the key report is always zero; the bitmap follows.
  for (std::size_t i = 0; i < m_key_bits.size(); ++i) {
    const std::uint8_t now = data[1 + i];
    const std::uint8_t changed = now ^ m_key_bits[i];
    for (int bit = 0; bit < 8; ++bit) {
      if ((changed & (1u << bit)) == 0) continue;
      const int usage = static_cast<int>(i * 8) + bit;
      AddKey(out, EvdevKeyFromKeyboardUsage(usage), (now & (1u << bit)) != 0);
    }
    m_key_bits[i] = now;
  }
}

void ReportTranslator::TranslateButtons(std::span<const std::uint8_t> data,
                                        std::vector<InputEvent>& out) {
  const std::uint8_t now = data[0];
  const std::uint8_t changed = now ^ m_buttons;
  for (int bit = 0; bit < kMouseButtonBits; ++bit) {
    if ((changed & (1u << bit)) != 0) {
      AddKey(out, EvdevButtonFromMouseBit(bit), (now & (1u << bit)) != 0);
    }
  }
  m_buttons = now;
}

void ReportTranslator::TranslateConsumer(std::span<const std::uint8_t> data,
                                         std::vector<InputEvent>& out) {
  const int usage = data[0] | (data[1] << 8);
  if (usage == m_consumer_usage) return;
  // The report holds one usage at a time: a new one ends the old one.
  AddKey(out, EvdevKeyFromConsumerUsage(m_consumer_usage), false);
  AddKey(out, EvdevKeyFromConsumerUsage(usage), true);
  m_consumer_usage = usage;
}
