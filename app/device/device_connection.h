// DeviceConnection: the device refresh and the connection state that follows it,
// and the handling of arrival and removal notices, over the device manager and
// the controller reached through ConnectionHost.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "device/connection_host.h"
#include "device/device_notice.h"
#include "device/hid_device_manager.h"

class DeviceConnection {
 public:
  DeviceConnection(HidDeviceManager& manager, ConnectionHost& host);

  // Worker jobs 1, 2 and 3 run these two in turn.
  void RefreshDevices();
  void ApplyConnection();

  // Queues a refresh for a notice that names a configured mode.
  void OnDeviceChange(const DeviceNotice& notice);

  // Presence of each configured mode, in configuration order.
  std::vector<bool> GetModesPresent() const;

  // The Bluetooth LE HID service in a path, or the Bluetooth bus (0005) in its HID_ID.
  static bool IsBluetoothPath(const std::string& upper_path);

  static constexpr std::uint8_t kFamily2CapabilityFlags = 0x47;

 private:
  HidDeviceManager& m_manager;
  ConnectionHost& m_host;
  // Guards m_present: refreshes run on the worker thread while notices arrive
  // on the main loop.
  mutable std::mutex m_present_lock;
  std::vector<bool> m_present;
  // Written and read by the refresh and apply steps only, both on the worker.
  bool m_attached = false;
};
