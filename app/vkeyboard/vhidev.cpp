// VHidev's report state and writes; the real device behind the process-wide instance is a uinput
// device that turns the frames into evdev events.
#include "vkeyboard/vhidev.h"

#include <cstdio>
#include <string>

#include <QorUI/manager.h>

#include "platform/input_event_sink.h"
#include "vkeyboard/consumer_usage.h"
#include "vkeyboard/uinput_hid_device.h"

namespace {

std::unique_ptr<VirtualHidDevice> OpenUinputHidDevice() {
  const std::string& product = Manager::GetDeviceName();
  const std::string name = (product.empty() ? std::string("Tervane") : product) + " virtual input";
  std::string error;
  std::unique_ptr<InputEventSink> sink = OpenUinputSink(name, error);
  if (!sink) {
    std::fprintf(stderr, "virtual keyboard: %s\n", error.c_str());
    return nullptr;
  }
  return std::make_unique<UinputHidDevice>(std::move(sink));
}

}  // namespace

VHidev& VHidev::GetInstance() {
  static VHidev instance(OpenUinputHidDevice);
  return instance;
}

VHidev::VHidev(DeviceOpener opener) : m_opener(std::move(opener)) {}

bool VHidev::Open() {
  std::lock_guard lock(m_write_lock);
  m_device.reset();
  m_key_report.fill(0);
  m_mouse_report.fill(0);
  m_device = m_opener();
  return m_device != nullptr;
}

bool VHidev::EnsureOpen() {
  {
    std::lock_guard lock(m_write_lock);
    if (m_device) return true;
  }
  return Open();
}

bool VHidev::IsOpen() const {
  std::lock_guard lock(m_write_lock);
  return m_device != nullptr;
}

bool VHidev::Send(std::span<const std::uint8_t> data, std::uint8_t report_id) {
  std::lock_guard lock(m_write_lock);
  return SendLocked(data, report_id);
}

bool VHidev::SendLocked(std::span<const std::uint8_t> data, std::uint8_t report_id) {
  if (!m_device) return false;
  return m_device->Write(BuildVhidevFrame(data, report_id));
}

bool VHidev::ReleaseAll() {
  std::lock_guard lock(m_write_lock);
  m_key_report.fill(0);
  m_mouse_report.fill(0);
  constexpr std::array<std::uint8_t, kConsumerReportSize> kNoUsage{};
  constexpr std::array<std::uint8_t, kSpareReportSize> kSpare{};
  bool ok = SendLocked(m_key_report, kKeyReportId);
  ok = SendLocked(m_mouse_report, kMouseReportId) && ok;
  ok = SendLocked(kNoUsage, kConsumerReportId) && ok;
  return SendLocked(kSpare, kSpareReportId) && ok;
}

bool VHidev::Key(int usage, bool pressed) {
  if (usage < 0 || usage > 255) return false;
  std::lock_guard lock(m_write_lock);
  std::uint8_t& byte = m_key_report[1 + (usage >> 3)];
  const auto bit = static_cast<std::uint8_t>(1u << (usage & 7));
  byte = pressed ? (byte | bit) : (byte & ~bit);
  return SendLocked(m_key_report, kKeyReportId);
}

bool VHidev::MouseButton(int bit, bool pressed) {
  std::lock_guard lock(m_write_lock);
  if (bit >= 0 && bit < kMouseButtonBits) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    m_mouse_report[0] = pressed ? (m_mouse_report[0] | mask) : (m_mouse_report[0] & ~mask);
  }
  return SendLocked(m_mouse_report, kMouseReportId);
}

bool VHidev::Consumer(int code, bool pressed) {
  const int usage = pressed ? ConsumerUsageOfCode(code) : 0;
  const std::array<std::uint8_t, kConsumerReportSize> report = {
      static_cast<std::uint8_t>(usage & 0xFF), static_cast<std::uint8_t>(usage >> 8)};
  return Send(report, kConsumerReportId);
}

bool VHidev::Forward(std::span<const InputEvent> events) {
  std::lock_guard lock(m_write_lock);
  if (!m_device) return false;
  return m_device->Forward(events);
}

int VHidev::LightsFd() const {
  std::lock_guard lock(m_write_lock);
  return m_device ? m_device->LightsFd() : -1;
}

std::vector<InputEvent> VHidev::TakeLights() {
  std::lock_guard lock(m_write_lock);
  if (!m_device) return {};
  return m_device->TakeLights();
}
