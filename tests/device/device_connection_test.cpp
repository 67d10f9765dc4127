// Device refresh, the connection state it leads to, and hot-plug notices.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "device/device_connection.h"
#include "device/light_protocol.h"
#include "tests/device/recording_host.h"
#include "tests/device/sim_fixture.h"

namespace {

TEST(DeviceConnection, RefreshAndApply) {
  struct Case {
    const char* name;
    int keyboard_mode;  // -1: nothing attached
    std::vector<std::string> calls;
    std::vector<int> jobs;
    int connection_mode;
  };
  const Case cases[] = {
      {"family 2 keyboard attached",
       0,
       {"reset status", "present 201", "attached", "tabs", "flags 71", "restore", "connected"},
       {kJobUpdateSteps, kJobReloadPages},
       0},
      {"nothing attached",
       -1,
       {"reset status", "detached", "tabs", "flags 71", "restore", "not connected"},
       {},
       -9},
  };
  for (const Case& c : cases) {
    SimRig rig;
    rig.manager->AddDeviceFilter(kVid, kPid2, "", 201, 0, "0003:00003554:0000F001");
    rig.manager->AddDeviceFilter(kVid, kPid1, "", 101, 0, "0003:00003554:0000F101");
    if (c.keyboard_mode >= 0) {
      rig.sim->AddKeyboard(KeyboardConfig(kPid2));
    }
    RecordingHost host;
    DeviceConnection connection(*rig.manager, host);
    connection.RefreshDevices();
    connection.ApplyConnection();
    EXPECT_EQ(host.calls, c.calls) << c.name;
    EXPECT_EQ(host.jobs, c.jobs) << c.name;
    EXPECT_EQ(host.connection_mode, c.connection_mode) << c.name;
    EXPECT_EQ(rig.manager->IsReady(), true) << c.name;
  }
}

TEST(DeviceConnection, AKeyboardOfAnotherTypeDoesNotReceiveCommands) {
  SimRig rig;
  rig.AddFamily2();
  const int k101 = rig.AddFamily1();
  rig.sim->SetPlugged(0, false);
  RecordingHost host;  // device type 201
  DeviceConnection connection(*rig.manager, host);
  connection.RefreshDevices();
  connection.ApplyConnection();
  EXPECT_EQ(host.calls.at(1), "present 101");
  EXPECT_EQ(rig.manager->GetActiveDevice(), -1)
      << "family 2 commands never reach a family 1 keyboard";
  EXPECT_EQ(host.connection_mode, -1);

  host.device_type = 101;
  connection.RefreshDevices();
  connection.ApplyConnection();
  LightProtocol light(*rig.manager);
  light.Reset(101, 0);
  EXPECT_EQ(rig.sim->GetState(k101).resets, 1);
}

TEST(DeviceConnection, TheSimulatorPresentsOneKeyboardPerConfiguredModel) {
  SimRig rig;
  // What config.xml gives: a family 2 model with three modes, a family 1 model.
  rig.manager->AddDeviceFilter(kVid, kPid2, "", 201, 0, "0003:00003554:0000F001");
  rig.manager->AddDeviceFilter(kVid, 0xF002, "", 201, 1, "0003:00003554:0000F002");
  rig.manager->AddDeviceFilter(kVid, 0xF003, "", 201, 2, "0003:00003554:0000F003");
  rig.manager->AddDeviceFilter(kVid, kPid1, "", 101, 0, "0003:00003554:0000F101");
  rig.sim->AddKeyboardsFor(rig.manager->GetDeviceFilters());
  RecordingHost host;
  DeviceConnection connection(*rig.manager, host);
  connection.RefreshDevices();
  connection.ApplyConnection();
  EXPECT_EQ(connection.GetModesPresent(), (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(host.connection_mode, 0);
  LightProtocol light(*rig.manager);
  light.Reset(201, 0);
  EXPECT_EQ(rig.sim->GetState(0).resets, 1) << "the family 2 keyboard answers family 2 commands";
  EXPECT_EQ(rig.sim->GetState(1).resets, 0);
}

TEST(DeviceConnection, ModeOneWithoutAMatchedModeShowsNotConnected) {
  SimRig rig;
  // A mode-1 keyboard is attached but the controller's connected flag is clear
  // (no configured mode was matched): the keyboard is not shown as connected.
  rig.manager->AddDeviceFilter(kVid, kPid2, "", 201, 1, "");
  rig.sim->AddKeyboard(KeyboardConfig(kPid2));
  RecordingHost host;
  DeviceConnection connection(*rig.manager, host);
  connection.RefreshDevices();
  host.connected = false;
  connection.ApplyConnection();
  EXPECT_EQ(host.calls.back(), "not connected");
  EXPECT_TRUE(host.jobs.empty());
}

TEST(DeviceConnection, ADeviceGoneBetweenRefreshAndSendIsHarmless) {
  SimRig rig;
  const int kb = rig.AddFamily2();
  RecordingHost host;
  DeviceConnection connection(*rig.manager, host);
  connection.RefreshDevices();
  connection.ApplyConnection();
  rig.sim->SetPlugged(kb, false);
  LightProtocol light(*rig.manager);
  light.SendLightMode(201, 0, LightRow{}, 0, false);
  EXPECT_FALSE(rig.manager->SendReport(MakeOutputReport(0x8B)));
  EXPECT_FALSE(rig.manager->GetLastError().empty());
}

TEST(DeviceConnection, NoticePathCarriesTheHidId) {
  struct Case {
    const char* syspath;
    const char* path;
  };
  const Case cases[] = {
      {"/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/0003:3554:F00a.000C/hidraw/hidraw5",
       "/SYS/DEVICES/PCI0000:00/0000:00:14.0/USB1/1-2/1-2:1.3/0003:3554:F00A.000C/HIDRAW/HIDRAW5"
       " HID_ID=0003:00003554:0000F00A"},
      {"/sys/devices/virtual/misc/uhid/0005:046D:B342.0002/hidraw/hidraw1",
       "/SYS/DEVICES/VIRTUAL/MISC/UHID/0005:046D:B342.0002/HIDRAW/HIDRAW1 "
       "HID_ID=0005:0000046D:0000B342"},
      {"/sys/devices/virtual/misc/hidraw", "/SYS/DEVICES/VIRTUAL/MISC/HIDRAW"},
      {"/sys/x/0003:3554:F00", "/SYS/X/0003:3554:F00"},
  };
  for (const Case& c : cases) EXPECT_EQ(NoticePathFromSyspath(c.syspath), c.path);
}

TEST(DeviceConnection, Notices) {
  SimRig rig;
  rig.AddFamily2();
  rig.manager->AddDeviceFilter(kVid, kPid1, "", 101, 0, "0003:00003554:0000F101");
  RecordingHost host;
  DeviceConnection connection(*rig.manager, host);
  connection.RefreshDevices();  // the 201 keyboard is present, the 101 is not
  host.calls.clear();

  const std::string other = NoticePathFromSyspath(
      "/sys/devices/pci0000:00/usb1/1-1/1-1:1.0/0003:046D:C52B.0001/hidraw/hidraw3");
  const std::string hid201 =
      NoticePathFromSyspath("/sys/devices/virtual/misc/uhid/0003:3554:F001.0004/hidraw/hidraw0");
  const std::string hid101 =
      NoticePathFromSyspath("/sys/devices/virtual/misc/uhid/0003:3554:f101.0005/hidraw/hidraw1");
  const std::string bt201 =
      NoticePathFromSyspath("/sys/devices/virtual/misc/uhid/0005:3554:F001.0006/hidraw/hidraw2");
  const std::string ble = hid201 + " {00001812-0000-1000-8000-00805f9b34fb}";
  struct Case {
    const char* name;
    NoticeKind kind;
    std::string path;
    std::vector<int> jobs;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"arrival of a configured device",
       NoticeKind::kArrival,
       hid201,
       {kJobDeviceArrival},
       {"notice 1 201"}},
      {"lower-case hex digits in the syspath",
       NoticeKind::kArrival,
       hid101,
       {kJobDeviceArrival},
       {"notice 1 101"}},
      {"an unknown device", NoticeKind::kArrival, other, {}, {}},
      {"the Bluetooth LE HID service, whatever else matches", NoticeKind::kArrival, ble, {}, {}},
      {"a Bluetooth bus device", NoticeKind::kArrival, bt201, {}, {}},
      {"removal of a mode not present", NoticeKind::kRemoval, hid101, {}, {}},
      {"removal of a present mode",
       NoticeKind::kRemoval,
       hid201,
       {kJobDeviceRemoval},
       {"notice 2 0"}},
      {"a second removal finds it absent", NoticeKind::kRemoval, hid201, {}, {}},
  };
  for (const Case& c : cases) {
    host.calls.clear();
    host.jobs.clear();
    connection.OnDeviceChange({c.kind, c.path});
    EXPECT_EQ(host.jobs, c.jobs) << c.name;
    EXPECT_EQ(host.calls, c.calls) << c.name;
  }
}

// Refreshes run on the worker while removal notices arrive on the main loop:
// every removal reported must follow a refresh that found the keyboard, and
// the state left behind must still report one removal exactly once.
TEST(DeviceConnection, RefreshesAndNoticesFromTwoThreads) {
  SimRig rig;
  rig.AddFamily2();
  RecordingHost host;
  DeviceConnection connection(*rig.manager, host);
  const DeviceNotice removal{
      NoticeKind::kRemoval,
      NoticePathFromSyspath("/sys/devices/virtual/misc/uhid/0003:3554:F001.0004/hidraw/hidraw0")};
  constexpr int kRefreshes = 200;
  std::atomic<bool> refreshing{true};
  std::thread worker([&] {
    for (int i = 0; i < kRefreshes; ++i) connection.RefreshDevices();
    refreshing = false;
  });
  while (refreshing) {
    connection.OnDeviceChange(removal);
    EXPECT_LE(connection.GetModesPresent().size(), 1u);
  }
  worker.join();
  EXPECT_LE(std::count(host.jobs.begin(), host.jobs.end(), kJobDeviceRemoval), kRefreshes);

  connection.RefreshDevices();
  host.jobs.clear();
  connection.OnDeviceChange(removal);
  connection.OnDeviceChange(removal);
  EXPECT_EQ(host.jobs, std::vector<int>{kJobDeviceRemoval});
}

}  // namespace
