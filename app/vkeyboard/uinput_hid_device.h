// The virtual device on Linux: report frames become evdev events through ReportTranslator, and
// both they and the forwarded keyboard events go to one uinput device.
#pragma once

#include <memory>

#include "platform/input_event_sink.h"
#include "vkeyboard/report_translator.h"
#include "vkeyboard/virtual_hid_device.h"

class UinputHidDevice final : public VirtualHidDevice {
 public:
  explicit UinputHidDevice(std::unique_ptr<InputEventSink> sink) : m_sink(std::move(sink)) {}

  bool Write(const VhidevFrame& frame) override {
    const std::vector<InputEvent> events = m_translator.Translate(frame);
    return events.empty() || m_sink->Emit(events);
  }
  bool Forward(std::span<const InputEvent> events) override { return m_sink->Emit(events); }
  int LightsFd() const override { return m_sink->LightsFd(); }
  std::vector<InputEvent> TakeLights() override { return m_sink->TakeLights(); }

 private:
  std::unique_ptr<InputEventSink> m_sink;
  ReportTranslator m_translator;
};
