// Which evdev nodes belong to the configured keyboards.
#include <gtest/gtest.h>

#include "platform/keyboard_nodes.h"

namespace {

TEST(KeyboardNodes, SelectedByTheirUsbDeviceOrTheirOwnIds) {
  const std::vector<UsbId> keyboards = {{0x3554, 0xF001}};
  const std::vector<InputNodeInfo> nodes = {
      // The keyboard's two interfaces under its USB device.
      {"/dev/input/event3", 0x03, 0x3554, 0xF001, true, 0x3554, 0xF001, "/sys/devices/usb1/1-2"},
      {"/dev/input/event4", 0x03, 0x3554, 0xF001, true, 0x3554, 0xF001, "/sys/devices/usb1/1-2"},
      // An input device that carries the ids but sits under another USB device.
      {"/dev/input/event5", 0x03, 0x3554, 0xF001, true, 0x046D, 0xC52B, "/sys/devices/usb1/1-3"},
      // Another keyboard.
      {"/dev/input/event6", 0x03, 0x046D, 0xC31C, true, 0x046D, 0xC31C, "/sys/devices/usb1/1-4"},
      // The same ids without a USB device above (a uinput stand-in).
      {"/dev/input/event7", 0x03, 0x3554, 0xF001, false, 0, 0, ""},
      // The same ids over Bluetooth.
      {"/dev/input/event8", 0x05, 0x3554, 0xF001, false, 0, 0, ""},
      // The program's own virtual device, even if a configuration named its ids.
      {"/dev/input/event9", 0x06, 0xDEED, 0xFEED, false, 0, 0, ""},
      // No device node.
      {"", 0x03, 0x3554, 0xF001, true, 0x3554, 0xF001, "/sys/devices/usb1/1-2"},
  };
  EXPECT_EQ(
      SelectKeyboardNodes(nodes, keyboards),
      (std::vector<std::string>{"/dev/input/event3", "/dev/input/event4", "/dev/input/event7"}));
  EXPECT_EQ(SelectKeyboardNodes(nodes, {{0x3554, 0xF001}, {0xDEED, 0xFEED}}).size(), 3u);
  EXPECT_TRUE(SelectKeyboardNodes(nodes, {}).empty());
}

TEST(KeyboardNodes, WithItsHidInterfaceKnownOnlyThatKeyboardsNodes) {
  const std::string first = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2";
  const std::string second = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-3";
  const std::vector<InputNodeInfo> nodes = {
      // Two keyboards of one model, two interfaces each.
      {"/dev/input/event3", 0x03, 0x3554, 0xF001, true, 0x3554, 0xF001, first},
      {"/dev/input/event4", 0x03, 0x3554, 0xF001, true, 0x3554, 0xF001, second},
      {"/dev/input/event5", 0x03, 0x3554, 0xF001, true, 0x3554, 0xF001, first},
      {"/dev/input/event6", 0x03, 0x3554, 0xF001, true, 0x3554, 0xF001, second},
      // An input device without a USB device that carries the ids.
      {"/dev/input/event7", 0x03, 0x3554, 0xF001, false, 0, 0, ""},
  };
  const std::vector<UsbId> keyboards = {{0x3554, 0xF001}};
  EXPECT_EQ(SelectKeyboardNodes(nodes, keyboards, first),
            (std::vector<std::string>{"/dev/input/event3", "/dev/input/event5"}));
  EXPECT_EQ(SelectKeyboardNodes(nodes, keyboards, second),
            (std::vector<std::string>{"/dev/input/event4", "/dev/input/event6"}));
  // An interface without a USB device above it (virtual, Bluetooth) or not found: by the ids.
  EXPECT_EQ(UsbDeviceOfHidNode("/dev/null"), "");
  EXPECT_EQ(UsbDeviceOfHidNode("/dev/hidraw-none"), "");
  EXPECT_EQ(SelectKeyboardNodes(nodes, keyboards, UsbDeviceOfHidNode("")).size(), 5u);
}

}  // namespace
