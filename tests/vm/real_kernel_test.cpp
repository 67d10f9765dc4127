// The device link on the real kernel: simulated keyboards presented through
// uhid, found and driven by the device manager on the real hidapi (hidraw)
// back end, with arrival and removal notices from the libudev monitor. Runs in
// the test VM; elsewhere (no /dev/uhid) every test is skipped.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "device/device_connection.h"
#include "device/key_protocol.h"
#include "device/light_protocol.h"
#include "platform/hidapi_backend.h"
#include "platform/udev_monitor.h"
#include "sim/uhid_bridge.h"
#include "tests/device/recording_host.h"
#include "tests/device/sim_fixture.h"

namespace {

constexpr const char* kPattern201 = "0003:00003554:0000F001";
constexpr const char* kPattern101 = "0003:00003554:0000F101";

// Notices of the wanted kind until `count` arrived or the time ran out.
std::vector<DeviceNotice> WaitForNotices(DeviceNoticeSource& monitor, NoticeKind kind,
                                         std::size_t count) {
  std::vector<DeviceNotice> got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
    pollfd fd{monitor.Fd(), POLLIN, 0};
    if (poll(&fd, 1, 200) <= 0) continue;
    for (DeviceNotice& n : monitor.ReadNotices()) {
      if (n.kind == kind) got.push_back(std::move(n));
    }
  }
  return got;
}

class RealKernel : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access("/dev/uhid", R_OK | W_OK) != 0) {
      GTEST_SKIP() << "needs /dev/uhid: runs inside the test VM (ctest -R vm_)";
    }
  }
};

TEST_F(RealKernel, DeviceLinkOverHidraw) {
  std::unique_ptr<DeviceNoticeSource> monitor = CreateUdevMonitor(UdevEventSource::kKernel);
  ASSERT_TRUE(monitor);
  std::string error;
  std::unique_ptr<UhidBridge> k201 = UhidBridge::Create(kVid, kPid2, SimFamily::kFamily2, error);
  ASSERT_TRUE(k201) << error;
  std::unique_ptr<UhidBridge> k101 = UhidBridge::Create(kVid, kPid1, SimFamily::kFamily1, error);
  ASSERT_TRUE(k101) << error;
  k201->SetFirmwareVersion(0x0203);

  // Two keyboards with two interfaces each: four hidraw nodes.
  const std::vector<DeviceNotice> arrivals = WaitForNotices(*monitor, NoticeKind::kArrival, 4);
  ASSERT_EQ(arrivals.size(), 4u);

  const std::string trace_path = ::testing::TempDir() + "vm_hid_trace.txt";
  setenv("TERVANE_HID_TRACE", trace_path.c_str(), 1);
  HidDeviceManager manager(CreateHidapiBackend());
  unsetenv("TERVANE_HID_TRACE");
  manager.AddDeviceFilter(kVid, kPid2, "", 201, 0, kPattern201);
  manager.AddDeviceFilter(kVid, kPid1, "", 101, 0, kPattern101);
  RecordingHost host;
  DeviceConnection connection(manager, host);
  for (const DeviceNotice& n : arrivals) connection.OnDeviceChange(n);
  EXPECT_EQ(host.jobs, (std::vector<int>(4, kJobDeviceArrival)))
      << "every hidraw syspath carries its HID_ID pattern: " << arrivals[0].path;

  // Enumeration through hidapi: one record per keyboard, the stream interfaces aside.
  host.jobs.clear();
  connection.RefreshDevices();
  connection.ApplyConnection();
  std::vector<HidDeviceRecord> records;
  manager.SetSelectedDeviceType(0);
  ASSERT_TRUE(manager.GetDevices(records));
  EXPECT_EQ(records.size(), 2u);
  manager.SetSelectedDeviceType(201);
  EXPECT_TRUE(manager.HasAuxInterface());
  EXPECT_EQ(host.jobs, (std::vector<int>{kJobUpdateSteps, kJobReloadPages}));

  // Feature reports both ways.
  std::uint16_t version = 0;
  ASSERT_TRUE(manager.ReadFirmwareVersion(version));
  EXPECT_EQ(version, 0x0203);
  FakeKeySource source;
  source.macros = {{1, Macro(1, {Rec(kRecordPress, 0x04, 0), Rec(kRecordRelease, 0x04, 20)})}};
  source.rows = {Assign(0x3A, kKindMacro, 1), Assign(0x3B, kKindFunction, 0x05)};
  KeyProtocol keys(manager, source);
  const KeyDownloadResult download = keys.DownloadKeys(201);
  EXPECT_EQ(download.macro_slots_written, 1);
  EXPECT_EQ(download.remap_slots_written, 1);
  // Output reports reach the bridge after the write returned: wait for their effect.
  KeyboardState state = k201->WaitForState([](const KeyboardState& s) {
    return s.macro_slots.count(1) == 1 && s.remap_slots.count(1) == 1;
  });
  ASSERT_EQ(state.macro_slots.count(1), 1u);
  EXPECT_EQ(state.macro_slots.at(1).key_code, 0x3A);
  EXPECT_EQ(state.macro_slots.at(1).events.size(), 2u);
  EXPECT_EQ(state.remap_slots.at(1).value, 0x05);
  SlotTable table{};
  FeatureReport request = MakeFeatureReport(kCmdReadSlotTable);
  request[2] = kSlotTableSubcommand;
  ASSERT_TRUE(manager.ReadSlotTable(request, table));
  EXPECT_EQ(table[1], 0x3A);
  EXPECT_EQ(table[14], 0x3B);

  // Output reports, the long form included.
  LightProtocol light(manager);
  const LightIndexLookup index = [](int key) -> std::optional<int> { return key - 0x04; };
  EXPECT_TRUE(light.UploadCustomColours({KeyLight(0x05, RGB(7, 8, 9))}, index));
  LightRow mode;
  mode.mode = 3;
  mode.speed = 2;
  mode.brightness = 4;
  EXPECT_TRUE(manager.SendLongReport(BuildFamily2LightLong(mode, 0)));
  state = k201->WaitForState(
      [](const KeyboardState& s) { return s.mode == 3 && s.custom_colours[4] == 7; });
  EXPECT_EQ(state.custom_colours[4], 7);
  EXPECT_EQ(state.custom_colours[7], 0xFF);
  EXPECT_EQ(state.mode, 3);
  EXPECT_EQ(state.unknown_reports, 0);

  // The family 1 keyboard: the stream start on its vendor interface, the frame on interface 3.
  host.device_type = 101;
  connection.RefreshDevices();
  connection.ApplyConnection();
  ASSERT_TRUE(light.SendStreamFrame({{0x04, RGB(1, 2, 3)}}, index));
  state = k101->WaitForState([](const KeyboardState& s) { return s.stream_frames == 1; });
  EXPECT_EQ(state.stream_starts, 1);
  EXPECT_EQ(state.stream_frames, 1);
  EXPECT_EQ(state.stream_colours[0], 1);
  EXPECT_EQ(state.unknown_reports, 0);

  // Unplugging: removal notices name the present mode; a send afterwards fails
  // with the system's error text.
  k101.reset();
  const std::vector<DeviceNotice> removals = WaitForNotices(*monitor, NoticeKind::kRemoval, 2);
  ASSERT_EQ(removals.size(), 2u);
  host.jobs.clear();
  for (const DeviceNotice& n : removals) connection.OnDeviceChange(n);
  EXPECT_EQ(host.jobs, (std::vector<int>{kJobDeviceRemoval}))
      << "the mode is absent after the first";
  EXPECT_FALSE(manager.SendReport(MakeOutputReport(0x88)));
  EXPECT_FALSE(manager.GetLastError().empty());

  // The trace holds the real transfers: the version request went out and was answered.
  std::ifstream trace(trace_path);
  std::string line;
  bool version_request = false, reply = false, failed_write = false;
  while (std::getline(trace, line)) {
    version_request |= line.find(" set-feature 07fd") != std::string::npos;
    reply |= line.find(" get-feature 070203") != std::string::npos;
    failed_write |= line.find(" write-failed 0088") != std::string::npos;
  }
  EXPECT_TRUE(version_request && reply && failed_write);
}

}  // namespace
