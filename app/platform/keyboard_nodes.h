// Finding the configured keyboard's evdev nodes: every event node of an input device that sits
// under the same USB device as the HID interface the program talks to. Before that interface is
// known, or when it has no USB device above it, the nodes are those under a USB device with the
// keyboard's vendor and product id (or, for an input device with no USB device above it, that
// carry those ids themselves).
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
  std::string usb_syspath;  // of the USB device; empty without one
};

// The nodes, in the given order, that belong to the keyboard: those under `usb_device` (the
// syspath of the USB device above its HID interface) when that is known, so that a second
// keyboard of the same model is left alone; otherwise those of one of `keyboards`. Bluetooth
// input devices and the program's own virtual device never belong.
std::vector<std::string> SelectKeyboardNodes(const std::vector<InputNodeInfo>& nodes,
                                             const std::vector<UsbId>& keyboards,
                                             const std::string& usb_device = {});

// The syspath of the USB device above the HID interface whose hidraw node is `hid_path`; empty
// when there is none (a virtual or Bluetooth device) or the node is unknown.
std::string UsbDeviceOfHidNode(const std::string& hid_path);

// Every evdev node udev knows of, in udev's order (libudev; reads sysfs, needs no daemon).
std::vector<InputNodeInfo> ListInputEventNodes();
