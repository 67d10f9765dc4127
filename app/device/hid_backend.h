// The HID transport seen by the device manager: what an enumeration reports of
// one interface, an open interface, and the back end that finds and opens them.
// hidapi (hidraw) and the keyboard simulator both implement it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The keyboard's vendor collection; other collections of the same device are skipped.
inline constexpr std::uint16_t kVendorUsagePage = 0xFF01;
inline constexpr std::uint16_t kVendorUsage = 1;
// The USB interface that carries the lighting stream.
inline constexpr int kAuxInterfaceNumber = 3;
// A virtual (uhid) device has no USB interface number; it marks its stream
// collection with this usage instead, on the vendor usage page.
inline constexpr std::uint16_t kVirtualAuxUsage = 3;

inline constexpr int kBusUnknown = 0;
inline constexpr int kBusUsb = 1;
inline constexpr int kBusBluetooth = 2;

struct HidDeviceInfo {
  std::string path;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t release_number = 0;
  std::uint16_t usage_page = 0;
  std::uint16_t usage = 0;
  // -1 when the interface does not belong to a USB device.
  int interface_number = -1;
  int bus_type = kBusUnknown;
  // Names the physical device the interface belongs to: the interfaces of one
  // keyboard share it, two keyboards (also of one model) never do. Empty when
  // the back end cannot tell.
  std::string physical_device;
};

// A virtual device's stream collection (usage kVirtualAuxUsage, no interface
// number) stands for interface 3 with the vendor usage; everything else is
// returned unchanged. Back ends apply it to what their enumeration reports.
HidDeviceInfo ApplyVirtualInterfaceRule(HidDeviceInfo info);

// One open interface. Results follow hidapi: bytes transferred, -1 on failure.
class HidHandle {
 public:
  virtual ~HidHandle() = default;
  virtual int Write(const std::uint8_t* data, std::size_t length) = 0;
  virtual int SendFeatureReport(const std::uint8_t* data, std::size_t length) = 0;
  virtual int GetFeatureReport(std::uint8_t* data, std::size_t length) = 0;
  // Length of the output report including the report id byte.
  virtual std::size_t OutputReportLength() const = 0;
  // The text of the last failure, empty when none.
  virtual std::string LastError() const = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // False when the system HID library could not be loaded; enumerations then find nothing.
  virtual bool Available() const = 0;
  // Every interface of the given ids (0 matches any).
  virtual std::vector<HidDeviceInfo> Enumerate(std::uint16_t vendor_id,
                                               std::uint16_t product_id) = 0;
  // Null when the path cannot be opened.
  virtual std::unique_ptr<HidHandle> Open(const std::string& path) = 0;
};
