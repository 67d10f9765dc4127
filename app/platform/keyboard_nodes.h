// Finding the configured keyboard's evdev nodes: every event node of an input device that sits
// under a USB device with the keyboard's vendor and product id (or, for an input device with no
// USB device above it, carries those ids itself).
#pragma once

#include <string>
#include <vector>

struct UsbId {
  int vendor = 0;
  int product = 0;

  bool operator==(const UsbId&) const = default;
};

// What udev tells of one event node; ids are 0 where there is nothing to read them from.
struct InputNodeInfo {
  std::string devnode;  // "/dev/input/eventN"
  int bustype = 0;      // of the input device
  int input_vendor = 0;
  int input_product = 0;
  bool has_usb_device = false;
  int usb_vendor = 0;
  int usb_product = 0;
};

// The nodes, in the given order, that belong to one of `keyboards`. Bluetooth input devices and
// the program's own virtual device never do.
std::vector<std::string> SelectKeyboardNodes(const std::vector<InputNodeInfo>& nodes,
                                             const std::vector<UsbId>& keyboards);

// Every evdev node udev knows of, in udev's order (libudev; reads sysfs, needs no daemon).
std::vector<InputNodeInfo> ListInputEventNodes();
