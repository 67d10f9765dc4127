// Node discovery on libudev. The ids are read from sysfs attributes rather than udev properties,
// so the search works where no udev daemon has added properties (a minimal system or a VM).
#include "platform/keyboard_nodes.h"

#include <libudev.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/input_event_sink.h"

namespace {

constexpr int kBusBluetooth = 0x05;

struct UdevDeleter {
  void operator()(udev* u) const { udev_unref(u); }
};
struct EnumerateDeleter {
  void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
};
struct DeviceDeleter {
  void operator()(udev_device* d) const { udev_device_unref(d); }
};

int HexAttribute(udev_device* device, const char* name) {
  const char* text = udev_device_get_sysattr_value(device, name);
  if (!text) return 0;
  return static_cast<int>(std::strtol(text, nullptr, 16));
}

bool Matches(int vendor, int product, const std::vector<UsbId>& keyboards) {
  return std::find(keyboards.begin(), keyboards.end(), UsbId{vendor, product}) != keyboards.end();
}

}  // namespace

std::vector<std::string> SelectKeyboardNodes(const std::vector<InputNodeInfo>& nodes,
                                             const std::vector<UsbId>& keyboards,
                                             const std::string& usb_device) {
  std::vector<std::string> selected;
  for (const InputNodeInfo& n : nodes) {
    if (n.devnode.empty() || n.bustype == kBusBluetooth) continue;
    if (n.input_vendor == kVirtualDeviceVendor && n.input_product == kVirtualDeviceProduct)
      continue;
    bool ours = false;
    if (!usb_device.empty()) {
      ours = n.has_usb_device && n.usb_syspath == usb_device;
    } else {
      ours = n.has_usb_device ? Matches(n.usb_vendor, n.usb_product, keyboards)
                              : Matches(n.input_vendor, n.input_product, keyboards);
    }
    if (ours) selected.push_back(n.devnode);
  }
  return selected;
}

std::string UsbDeviceOfHidNode(const std::string& hid_path) {
  struct stat st {};
  if (hid_path.empty() || stat(hid_path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return {};
  std::unique_ptr<udev, UdevDeleter> context(udev_new());
  if (!context) return {};
  std::unique_ptr<udev_device, DeviceDeleter> hidraw(
      udev_device_new_from_devnum(context.get(), 'c', st.st_rdev));
  if (!hidraw) return {};
  udev_device* usb =
      udev_device_get_parent_with_subsystem_devtype(hidraw.get(), "usb", "usb_device");
  const char* syspath = usb ? udev_device_get_syspath(usb) : nullptr;
  return syspath ? syspath : "";
}

std::vector<InputNodeInfo> ListInputEventNodes() {
  std::vector<InputNodeInfo> nodes;
  std::unique_ptr<udev, UdevDeleter> context(udev_new());
  if (!context) return nodes;
  std::unique_ptr<udev_enumerate, EnumerateDeleter> list(udev_enumerate_new(context.get()));
  if (!list) return nodes;
  udev_enumerate_add_match_subsystem(list.get(), "input");
  udev_enumerate_add_match_sysname(list.get(), "event*");
  if (udev_enumerate_scan_devices(list.get()) < 0) return nodes;
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(list.get())) {
    std::unique_ptr<udev_device, DeviceDeleter> event(
        udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
    if (!event) continue;
    const char* devnode = udev_device_get_devnode(event.get());
    if (!devnode) continue;
    InputNodeInfo info;
    info.devnode = devnode;
    // Parents belong to the child device; they are not unreferenced separately.
    if (udev_device* input =
            udev_device_get_parent_with_subsystem_devtype(event.get(), "input", nullptr)) {
      info.bustype = HexAttribute(input, "id/bustype");
      info.input_vendor = HexAttribute(input, "id/vendor");
      info.input_product = HexAttribute(input, "id/product");
    }
    if (udev_device* usb =
            udev_device_get_parent_with_subsystem_devtype(event.get(), "usb", "usb_device")) {
      info.has_usb_device = true;
      info.usb_vendor = HexAttribute(usb, "idVendor");
      info.usb_product = HexAttribute(usb, "idProduct");
      if (const char* syspath = udev_device_get_syspath(usb)) info.usb_syspath = syspath;
    }
    nodes.push_back(std::move(info));
  }
  return nodes;
}
