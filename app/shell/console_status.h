// ConsoleStatus: the window-less front end. Until the main window exists it is
// what the start-up steps report to (the device-status list, the layout's
// view, the connection host), and it tells the user in plain lines on a
// console what was configured, opened and found. The main window replaces it.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "device/connection_host.h"
#include "device/device_notice.h"
#include "keys/keyboard_layout.h"
#include "keys/keyboard_layout_loader.h"
#include "keys/layout_view.h"
#include "shell/configuration.h"
#include "shell/device_sinks.h"

class ConsoleStatus final : public DeviceListSink, public LayoutView, public ConnectionHost {
 public:
  // `config` is read when reporting, so it may still be empty here.
  ConsoleStatus(std::ostream& out, const Configuration& config);

  // One line, flushed at once: whoever reads the console sees it even when
  // the process is later ended without unwinding.
  void Say(const std::string& line);

  // After the layout load of the start-up model: its keys, modes and pages,
  // and the profile database it opened (or set aside and replaced).
  void ReportLayout(const KeyboardLayout& layout, const LayoutLoadResult& result);
  void ReportDatabase(bool open, const std::string& path, const std::string& set_aside);
  // After each refresh and connection step: the configured modes found and
  // the keyboard that receives commands. Prints only when that picture
  // changed, so the burst of notices one plug-in sends reads as one event.
  void ReportDevices(const std::vector<bool>& modes_present,
                     std::optional<std::uint16_t> firmware_version);

  // True once when a notice asked for a refresh since the last call.
  bool TakeRefreshRequest();

  // DeviceListSink.
  void AddDevice(const std::string& name, int a, int b, int device_type, bool unavailable) override;

  // LayoutView: there are no pictures without the window.
  void SetTabItemVisible(int item_id, bool visible) override;
  void SetLightSliderMaxima(int brightness_max, int speed_max) override;
  void SetFirmwareButtonVisible(bool) override {}
  KeyboardPicture* Picture(PicturePage) override { return nullptr; }

  // ConnectionHost. Jobs other than the refreshes (the page reload and the
  // update steps) need the pages and the worker, and wait for the window.
  void EnqueueJob(int code) override;
  void SetConnected(bool connected) override { m_connected = connected; }
  bool IsConnected() const override { return m_connected; }
  void SetAttached(bool attached) override { m_attached = attached; }
  int GetDeviceType() const override { return m_device_type; }
  void SetConnectionMode(int mode) override { m_connection_mode = mode; }
  void SetNotice(int kind, int value) override;
  void ResetDeviceStatus() override {}
  void SetDevicePresent(int) override {}
  void ShowDeviceTabs() override {}
  void SetCapabilityFlags(std::uint8_t) override {}
  void ShowRestoreButton() override {}
  void ShowNotConnected() override { m_shown_connected = false; }
  void ShowConnected() override { m_shown_connected = true; }

 private:
  std::string ModelName(int device_type) const;
  const KeyboardMode* ModeOf(int device_type, int connection_mode) const;
  std::vector<std::string> DeviceLines(const std::vector<bool>& modes_present,
                                       std::optional<std::uint16_t> firmware_version) const;

  std::ostream& m_out;
  const Configuration& m_config;
  std::set<int> m_visible_tabs;
  int m_brightness_max = 0;
  int m_speed_max = 0;

  bool m_refresh_requested = false;
  bool m_connected = false;
  bool m_attached = false;
  bool m_shown_connected = false;
  int m_device_type = 0;
  int m_connection_mode = -1;
  std::string m_pending_notice;
  std::vector<std::string> m_last_devices;
  bool m_devices_reported = false;
};
