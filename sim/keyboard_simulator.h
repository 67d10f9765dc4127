// KeyboardSimulator: simulated keyboards behind HidBackend. Each keyboard has
// its interfaces (the vendor collection, the stream interface 3, and others the
// program must skip), one firmware model shared by them, and can be unplugged,
// also in the middle of a transfer. Every report reaching a keyboard is logged
// with its time.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/hid_backend.h"
#include "device/hid_device_manager.h"
#include "sim/keyboard_firmware.h"

struct SimInterface {
  std::uint16_t usage_page = kVendorUsagePage;
  std::uint16_t usage = kVendorUsage;
  int interface_number = 0;
};

struct SimKeyboardConfig {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  SimFamily family = SimFamily::kFamily2;
  std::uint16_t release_number = 0x0100;
  // Empty: the vendor interface 0, the stream interface 3, and a boot keyboard
  // and a second vendor collection with usage 2 that must be skipped.
  std::vector<SimInterface> interfaces;
  std::size_t output_report_length = kOutputReportSize;
};

enum class SimOp { kWrite, kSetFeature, kGetFeature };

struct SimReport {
  std::chrono::microseconds time{};
  int keyboard = 0;
  int interface_number = 0;
  SimOp op = SimOp::kWrite;
  std::vector<std::uint8_t> bytes;
  bool ok = true;
};

class KeyboardSimulator final : public HidBackend {
 public:
  explicit KeyboardSimulator(Clock& clock = SteadyClock::Get());

  // Returns the keyboard's number.
  int AddKeyboard(const SimKeyboardConfig& config);
  // One keyboard per model (device type) of the filters, with the ids of the
  // model's first mode: what `--simulate` presents for config.xml.
  void AddKeyboardsFor(const std::vector<DeviceFilter>& filters);

  void SetPlugged(int keyboard, bool plugged);
  // After `transfers` more transfers succeed, the keyboard is unplugged.
  void UnplugAfter(int keyboard, int transfers);
  void SetReadBehaviour(int keyboard, ReadBehaviour behaviour);
  void SetFirmwareVersion(int keyboard, std::uint16_t version);
  KeyboardState GetState(int keyboard) const;

  // The most recent reports, oldest first; at most kLogLimit are kept, so a long
  // `--simulate` run does not grow without bound.
  std::vector<SimReport> GetLog() const;
  void ClearLog();
  static constexpr std::size_t kLogLimit = 100000;

  // HidBackend.
  bool Available() const override { return true; }
  std::vector<HidDeviceInfo> Enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override;
  std::unique_ptr<HidHandle> Open(const std::string& path) override;

  // Used by the handles.
  int Transfer(int keyboard, int interface_number, int generation, SimOp op, std::uint8_t* data,
               std::size_t length);
  std::size_t OutputReportLength(int keyboard) const;

 private:
  struct Keyboard {
    SimKeyboardConfig config;
    KeyboardFirmware firmware;
    bool plugged = true;
    int transfers_until_unplug = -1;
    // Bumped at each unplug, so handles opened before it stay dead after a replug.
    int generation = 0;
  };

  Clock& m_clock;
  // Guards the keyboards and the log: the worker, the window thread and tests touch them.
  mutable std::mutex m_state_lock;
  std::vector<std::unique_ptr<Keyboard>> m_keyboards;
  std::deque<SimReport> m_log;
};
