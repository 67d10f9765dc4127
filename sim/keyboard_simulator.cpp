// Simulated keyboards, their interfaces and handles, and the report log.
#include "sim/keyboard_simulator.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "device/command_family.h"

namespace {

std::vector<SimInterface> DefaultInterfaces() {
  return {
      {kVendorUsagePage, kVendorUsage, 0},
      {0x0001, 0x0006, 1},
      {kVendorUsagePage, 2, 2},
      {kVendorUsagePage, kVendorUsage, kAuxInterfaceNumber},
  };
}

std::string PathOf(int keyboard, int interface_number) {
  char path[64];
  std::snprintf(path, sizeof path, "sim:%d:%d", keyboard, interface_number);
  return path;
}

}  // namespace

class SimHandle final : public HidHandle {
 public:
  SimHandle(KeyboardSimulator& sim, int keyboard, int interface_number, int generation)
      : m_sim(sim), m_keyboard(keyboard), m_interface(interface_number), m_generation(generation) {}

  int Write(const std::uint8_t* data, std::size_t length) override {
    std::vector<std::uint8_t> copy(data, data + length);
    return Run(SimOp::kWrite, copy.data(), length);
  }
  int SendFeatureReport(const std::uint8_t* data, std::size_t length) override {
    std::vector<std::uint8_t> copy(data, data + length);
    return Run(SimOp::kSetFeature, copy.data(), length);
  }
  int GetFeatureReport(std::uint8_t* data, std::size_t length) override {
    return Run(SimOp::kGetFeature, data, length);
  }
  std::size_t OutputReportLength() const override { return m_sim.OutputReportLength(m_keyboard); }
  std::string LastError() const override { return m_error; }

 private:
  int Run(SimOp op, std::uint8_t* data, std::size_t length) {
    const int result = m_sim.Transfer(m_keyboard, m_interface, m_generation, op, data, length);
    m_error = result < 0 ? "No such device\r\n" : "";
    return result;
  }

  KeyboardSimulator& m_sim;
  int m_keyboard;
  int m_interface;
  int m_generation;
  std::string m_error;
};

KeyboardSimulator::KeyboardSimulator(Clock& clock) : m_clock(clock) {}

int KeyboardSimulator::AddKeyboard(const SimKeyboardConfig& config) {
  std::lock_guard<std::mutex> lock(m_state_lock);
  auto keyboard = std::unique_ptr<Keyboard>(new Keyboard{config, KeyboardFirmware(config.family)});
  if (keyboard->config.interfaces.empty()) keyboard->config.interfaces = DefaultInterfaces();
  m_keyboards.push_back(std::move(keyboard));
  return static_cast<int>(m_keyboards.size()) - 1;
}

void KeyboardSimulator::AddKeyboardsFor(const std::vector<DeviceFilter>& filters) {
  std::set<int> types;
  for (const DeviceFilter& f : filters) {
    const CommandFamily family = CommandFamilyOf(f.device_type);
    if (family == CommandFamily::kNone || !types.insert(f.device_type).second) continue;
    SimKeyboardConfig config;
    config.vendor_id = static_cast<std::uint16_t>(f.vendor_id);
    config.product_id = static_cast<std::uint16_t>(f.product_id);
    config.family = family == CommandFamily::kFamily1 ? SimFamily::kFamily1 : SimFamily::kFamily2;
    AddKeyboard(config);
  }
}

void KeyboardSimulator::SetPlugged(int keyboard, bool plugged) {
  std::lock_guard<std::mutex> lock(m_state_lock);
  Keyboard& k = *m_keyboards.at(keyboard);
  if (k.plugged && !plugged) ++k.generation;
  k.plugged = plugged;
  k.transfers_until_unplug = -1;
}

void KeyboardSimulator::UnplugAfter(int keyboard, int transfers) {
  std::lock_guard<std::mutex> lock(m_state_lock);
  m_keyboards.at(keyboard)->transfers_until_unplug = transfers;
}

void KeyboardSimulator::SetReadBehaviour(int keyboard, ReadBehaviour behaviour) {
  std::lock_guard<std::mutex> lock(m_state_lock);
  m_keyboards.at(keyboard)->firmware.SetReadBehaviour(behaviour);
}

void KeyboardSimulator::SetFirmwareVersion(int keyboard, std::uint16_t version) {
  std::lock_guard<std::mutex> lock(m_state_lock);
  m_keyboards.at(keyboard)->firmware.State().firmware_version = version;
}

KeyboardState KeyboardSimulator::GetState(int keyboard) const {
  std::lock_guard<std::mutex> lock(m_state_lock);
  return m_keyboards.at(keyboard)->firmware.State();
}

std::vector<SimReport> KeyboardSimulator::GetLog() const {
  std::lock_guard<std::mutex> lock(m_state_lock);
  return {m_log.begin(), m_log.end()};
}

void KeyboardSimulator::ClearLog() {
  std::lock_guard<std::mutex> lock(m_state_lock);
  m_log.clear();
}

std::vector<HidDeviceInfo> KeyboardSimulator::Enumerate(std::uint16_t vendor_id,
                                                        std::uint16_t product_id) {
  std::lock_guard<std::mutex> lock(m_state_lock);
  std::vector<HidDeviceInfo> result;
  for (std::size_t i = 0; i < m_keyboards.size(); ++i) {
    const Keyboard& k = *m_keyboards[i];
    if (!k.plugged) continue;
    if ((vendor_id != 0 && vendor_id != k.config.vendor_id) ||
        (product_id != 0 && product_id != k.config.product_id)) {
      continue;
    }
    for (const SimInterface& itf : k.config.interfaces) {
      HidDeviceInfo info;
      info.path = PathOf(static_cast<int>(i), itf.interface_number);
      info.vendor_id = k.config.vendor_id;
      info.product_id = k.config.product_id;
      info.release_number = k.config.release_number;
      info.usage_page = itf.usage_page;
      info.usage = itf.usage;
      info.interface_number = itf.interface_number;
      info.bus_type = kBusUsb;
      info.physical_device = "sim:" + std::to_string(i);
      result.push_back(info);
    }
  }
  return result;
}

std::unique_ptr<HidHandle> KeyboardSimulator::Open(const std::string& path) {
  int keyboard = -1;
  int interface_number = -1;
  if (std::sscanf(path.c_str(), "sim:%d:%d", &keyboard, &interface_number) != 2) return nullptr;
  std::lock_guard<std::mutex> lock(m_state_lock);
  if (keyboard < 0 || keyboard >= static_cast<int>(m_keyboards.size())) return nullptr;
  const Keyboard& k = *m_keyboards[keyboard];
  if (!k.plugged) return nullptr;
  return std::make_unique<SimHandle>(*this, keyboard, interface_number, k.generation);
}

std::size_t KeyboardSimulator::OutputReportLength(int keyboard) const {
  std::lock_guard<std::mutex> lock(m_state_lock);
  return m_keyboards.at(keyboard)->config.output_report_length;
}

int KeyboardSimulator::Transfer(int keyboard, int interface_number, int generation, SimOp op,
                                std::uint8_t* data, std::size_t length) {
  std::lock_guard<std::mutex> lock(m_state_lock);
  Keyboard& k = *m_keyboards.at(keyboard);
  if (k.plugged && k.transfers_until_unplug == 0) {
    k.plugged = false;
    ++k.generation;
    k.transfers_until_unplug = -1;
  }
  // A handle opened before an unplug stays dead after a replug.
  const bool reachable = k.plugged && generation == k.generation;
  SimReport entry{m_clock.Now(), keyboard, interface_number, op, {}, reachable};
  int result = -1;
  if (reachable) {
    if (k.transfers_until_unplug > 0) --k.transfers_until_unplug;
    switch (op) {
      case SimOp::kWrite:
        k.firmware.HandleOutput(data, length, interface_number == kAuxInterfaceNumber);
        result = static_cast<int>(length);
        break;
      case SimOp::kSetFeature:
        k.firmware.HandleSetFeature(data, length);
        result = static_cast<int>(length);
        break;
      case SimOp::kGetFeature:
        result = k.firmware.HandleGetFeature(data, length);
        break;
    }
  }
  entry.ok = result >= 0;
  entry.bytes.assign(data, data + length);
  m_log.push_back(std::move(entry));
  if (m_log.size() > kLogLimit) m_log.pop_front();
  return result;
}
