// HidDeviceManager: the supported-device filters, the open vendor interfaces of
// the attached keyboards, the choice of the one that receives commands, and the
// send and read operations (with the protocol's pauses and retries) through
// which every keyboard command passes.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/hid_backend.h"
#include "device/hid_trace.h"
#include "device/reports.h"
#include "shell/device_sinks.h"

// One configured connection mode of a keyboard model.
struct DeviceFilter {
  int vendor_id = 0;
  int product_id = 0;
  std::string product_name;
  int device_type = 0;
  int connection_mode = 0;
  // Substring of the upper-cased udev syspath that identifies the device in notices.
  std::string interface_pattern;
};

// What the manager knows of one opened interface (the handle itself stays inside).
struct HidDeviceRecord {
  int index = 0;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::string path;
  // Always empty: the enumeration reads no string descriptors.
  std::string product_name;
  int release_number = 0;
  int device_type = 0;
  int connection_mode = 0;
  bool mode0 = false;
};

// LoadConfiguration hands it every configured mode as a filter.
class HidDeviceManager final : public DeviceFilterSink {
 public:
  HidDeviceManager(std::unique_ptr<HidBackend> backend, Clock& clock = SteadyClock::Get());
  ~HidDeviceManager() override;
  HidDeviceManager(const HidDeviceManager&) = delete;
  HidDeviceManager& operator=(const HidDeviceManager&) = delete;

  // Filters, in configuration order; one per `mode` element of config.xml.
  void AddDeviceFilter(int vendor_id, int product_id, const std::string& product_name,
                       int device_type, int connection_mode,
                       const std::string& interface_pattern) override;
  std::vector<DeviceFilter> GetDeviceFilters() const;

  void CloseAll();
  void Enumerate();
  void SetReady(bool ready);
  bool IsReady() const;

  // False when there are no records; otherwise all records (selected type 0) or
  // those of the selected device type.
  bool GetDevices(std::vector<HidDeviceRecord>& out) const;
  // Index of the matching record, -1 when none.
  int FindDevice(int vendor_id, int product_id, const std::string& product_name,
                 int connection_mode) const;

  void SetSelectedDeviceType(int device_type);
  int GetSelectedDeviceType() const;
  void ForgetActiveDevice();
  // 0, 2 or 1 by the records of the selected type present, -1 when none.
  int GetConnectionMode() const;
  // Index of the record that receives commands (chosen and cached), -1 when none.
  int GetActiveDevice();
  // True when a keyboard's stream interface (interface 3) is open.
  bool HasAuxInterface() const;

  bool SendReport(const OutputReport& report);
  // Writes to the stream interface of the active keyboard itself; false, with
  // nothing sent, when that keyboard has none (another keyboard's stream
  // interface is never used).
  bool SendAuxReport(const OutputReport& report);
  bool SendLongReport(const LongPayload& payload);
  // Pauses 16 ms first; the result is always false, callers ignore it.
  bool SendFeature(const FeatureReport& report);
  bool SendFeatureNow(const FeatureReport& report);
  // True once the request was sent; fresh bytes of each answered read land in `table`.
  bool ReadSlotTable(const FeatureReport& request, SlotTable& table);
  // True when the keyboard answered with a version report.
  bool ReadFirmwareVersion(std::uint16_t& version);

  // The system's text for the last failed transfer, cut at its first line break.
  std::string GetLastError() const;

  Clock& GetClock() const { return m_clock; }

  // Pauses of the transport.
  static constexpr int kFeaturePauseMs = 16;
  static constexpr int kWriteRetryMs = 10;
  static constexpr int kLongRetryMs = 32;

 private:
  struct OpenRecord {
    HidDeviceRecord info;
    std::string physical_device;
    std::unique_ptr<HidHandle> handle;
  };
  struct AuxInterface {
    std::string physical_device;
    std::unique_ptr<HidHandle> handle;
  };

  const DeviceFilter* AcceptingFilter(const HidDeviceInfo& info) const;
  HidHandle* ActiveHandleLocked();
  HidHandle* AuxHandleLocked();
  int ActiveIndexLocked();
  int WriteOnce(HidHandle& handle, const OutputReport& report, const char* op);
  int SendFeatureLocked(HidHandle& handle, const FeatureReport& report);
  int GetFeatureLocked(HidHandle& handle, FeatureReport& buffer);
  void RememberError(const HidHandle& handle);

  std::unique_ptr<HidBackend> m_backend;
  Clock& m_clock;
  std::unique_ptr<HidTrace> m_trace;

  // Guards everything below: the worker refreshes and sends while the window
  // thread sends its immediate lighting changes, and a refresh closes handles.
  mutable std::mutex m_devices_lock;
  bool m_ready = false;
  std::vector<OpenRecord> m_records;
  std::vector<DeviceFilter> m_filters;
  int m_selected_type = 0;
  int m_active = -1;
  // One per attached keyboard; the stream goes to the one of the active device.
  std::vector<AuxInterface> m_aux;
  std::string m_last_error;
};
