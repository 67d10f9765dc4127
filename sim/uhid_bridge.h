// UhidBridge: presents one simulated keyboard to the kernel through /dev/uhid,
// so the real hidraw nodes, hidapi and libudev see it as hardware. It creates
// the vendor interface and the stream interface (marked by usage 3, since a
// uhid device has no USB interface number) and answers their reports from a
// firmware model on a thread of its own.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/keyboard_firmware.h"

class UhidBridge {
 public:
  // Null (with `error` set) when /dev/uhid cannot be opened or a device not created.
  static std::unique_ptr<UhidBridge> Create(std::uint16_t vendor_id, std::uint16_t product_id,
                                            SimFamily family, std::string& error);
  ~UhidBridge();
  UhidBridge(const UhidBridge&) = delete;
  UhidBridge& operator=(const UhidBridge&) = delete;

  KeyboardState GetState() const;
  // The state once `reached` holds for it, or the latest one after `timeout`.
  // A write returns before the kernel hands its output report to the bridge,
  // so whoever checks the effect of output reports waits for it this way.
  KeyboardState WaitForState(const std::function<bool(const KeyboardState&)>& reached,
                             std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  void SetReadBehaviour(ReadBehaviour behaviour);
  void SetFirmwareVersion(std::uint16_t version);

 private:
  UhidBridge(int main_fd, int aux_fd, int stop_fd, SimFamily family);
  void Run();
  void Serve(int fd, bool aux);

  int m_main_fd;
  int m_aux_fd;
  int m_stop_fd;
  mutable std::mutex m_firmware_lock;  // guards m_firmware: the serving thread and the test read it
  // Signalled after each report the firmware handled.
  mutable std::condition_variable m_firmware_changed;
  KeyboardFirmware m_firmware;
  std::thread m_thread;
};
