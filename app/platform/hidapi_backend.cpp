// HidBackend over hidapi (hidraw): enumeration, open by path, output writes and
// feature reports. Wide strings from hidapi are turned into UTF-8 here.
#include "platform/hidapi_backend.h"

#include <hidapi/hidapi.h>

#include <cwchar>
#include <fstream>
#include <string_view>

#include <QorUI/text.h>

namespace {

std::string Utf8FromWide(const wchar_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (; *text != L'\0'; ++text) text::AppendUtf8(out, static_cast<char32_t>(*text));
  return out;
}

int BusFromHidapi(hid_bus_type bus) {
  switch (bus) {
    case HID_API_BUS_USB:
      return kBusUsb;
    case HID_API_BUS_BLUETOOTH:
      return kBusBluetooth;
    default:
      return kBusUnknown;
  }
}

// The kernel's HID_PHYS of a hidraw node without its "/inputN" part, which is
// what the interfaces of one USB device have in common; empty when unknown.
std::string PhysicalDeviceOf(const std::string& path) {
  const std::string name = path.substr(path.rfind('/') + 1);
  if (name.rfind("hidraw", 0) != 0) return "";
  std::ifstream uevent("/sys/class/hidraw/" + name + "/device/uevent");
  constexpr std::string_view kKey = "HID_PHYS=";
  for (std::string line; std::getline(uevent, line);) {
    if (line.rfind(kKey, 0) != 0) continue;
    std::string phys = line.substr(kKey.size());
    const std::size_t input = phys.rfind("/input");
    if (input != std::string::npos) phys.resize(input);
    return phys;
  }
  return "";
}

class HidapiHandle final : public HidHandle {
 public:
  explicit HidapiHandle(hid_device* device) : m_device(device) {}
  ~HidapiHandle() override { hid_close(m_device); }

  int Write(const std::uint8_t* data, std::size_t length) override {
    return hid_write(m_device, data, length);
  }
  int SendFeatureReport(const std::uint8_t* data, std::size_t length) override {
    return hid_send_feature_report(m_device, data, length);
  }
  int GetFeatureReport(std::uint8_t* data, std::size_t length) override {
    return hid_get_feature_report(m_device, data, length);
  }
  // hidraw takes any length up to the descriptor's report; 65 is what every command writes.
  std::size_t OutputReportLength() const override { return 65; }
  std::string LastError() const override { return Utf8FromWide(hid_error(m_device)); }

 private:
  hid_device* m_device;
};

class HidapiBackend final : public HidBackend {
 public:
  HidapiBackend() : m_available(hid_init() == 0) {}
  ~HidapiBackend() override {
    if (m_available) hid_exit();
  }

  bool Available() const override { return m_available; }

  std::vector<HidDeviceInfo> Enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override {
    std::vector<HidDeviceInfo> result;
    if (!m_available) return result;
    hid_device_info* list = hid_enumerate(vendor_id, product_id);
    for (const hid_device_info* d = list; d != nullptr; d = d->next) {
      HidDeviceInfo info;
      info.path = d->path != nullptr ? d->path : "";
      info.vendor_id = d->vendor_id;
      info.product_id = d->product_id;
      info.release_number = d->release_number;
      info.usage_page = d->usage_page;
      info.usage = d->usage;
      info.interface_number = d->interface_number;
      info.bus_type = BusFromHidapi(d->bus_type);
      info.physical_device = PhysicalDeviceOf(info.path);
      result.push_back(ApplyVirtualInterfaceRule(info));
    }
    hid_free_enumeration(list);
    return result;
  }

  std::unique_ptr<HidHandle> Open(const std::string& path) override {
    if (!m_available) return nullptr;
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) return nullptr;
    return std::make_unique<HidapiHandle>(device);
  }

 private:
  bool m_available;
};

}  // namespace

std::unique_ptr<HidBackend> CreateHidapiBackend() {
  return std::make_unique<HidapiBackend>();
}
