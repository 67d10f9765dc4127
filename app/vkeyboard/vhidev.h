// VHidev: the process-wide writer of the virtual keyboard. It keeps the state of the key and mouse
// reports, builds every report into the 64-byte frame and writes it to the open virtual device,
// one writer at a time, for the worker, the key filter monitor and the window thread alike.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>

#include "platform/input_event.h"
#include "platform/key_event_source.h"
#include "vkeyboard/vhidev_frame.h"
#include "vkeyboard/virtual_hid_device.h"

class VHidev final : public InputForwarder {
 public:
  // Makes a new virtual device; null when none can be made.
  using DeviceOpener = std::function<std::unique_ptr<VirtualHidDevice>()>;

  // The process-wide instance, created on first use, on a uinput device named after the
  // program's device name.
  static VHidev& GetInstance();

  explicit VHidev(DeviceOpener opener);
  VHidev(const VHidev&) = delete;
  VHidev& operator=(const VHidev&) = delete;

  // Closes the device held, if any, and makes a new one; true when it was made. A new device
  // has no key down, so the report state starts from zero.
  bool Open();
  // Keeps an open device as it is and makes one only when none is open: what every software
  // key action does first. Making a new device for each action would drop keys that the
  // desktop has not yet seen on it.
  bool EnsureOpen();
  bool IsOpen() const;

  // One frame with `data` as report `report_id`; false when no device is open or the write
  // failed.
  bool Send(std::span<const std::uint8_t> data, std::uint8_t report_id);

  // Every report with zero data: no key, button or consumer usage stays down.
  bool ReleaseAll();
  // Sets or clears keyboard usage `usage` (0-255) in the key report and sends it.
  bool Key(int usage, bool pressed);
  // Sets or clears button bit 0-7 of the mouse report and sends it.
  bool MouseButton(int bit, bool pressed);
  // Sends the consumer usage of program function `code` when pressed and none when released.
  bool Consumer(int code, bool pressed);
  // Passes events of the grabbed keyboard through the same device, between two report writes.
  bool Forward(std::span<const InputEvent> events) override;
  // The lock lights the desktop set on the open device; -1 and none while no device is open.
  int LightsFd() const override;
  std::vector<InputEvent> TakeLights() override;

 private:
  bool SendLocked(std::span<const std::uint8_t> data, std::uint8_t report_id);

  DeviceOpener m_opener;
  // Guards the device and the two report states: a report is changed and written as one step.
  mutable std::mutex m_write_lock;
  std::unique_ptr<VirtualHidDevice> m_device;
  std::array<std::uint8_t, kKeyReportSize> m_key_report{};
  std::array<std::uint8_t, kMouseReportSize> m_mouse_report{};
};
