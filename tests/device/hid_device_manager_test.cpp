// Enumeration rules, device choice and the transfers of the device manager,
// against the simulator.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "device/hid_device_manager.h"
#include "device/key_commands.h"
#include "sim/hid_backend_factory.h"
#include "tests/device/sim_fixture.h"

namespace {

TEST(HidDeviceManager, KeepsOnlyTheVendorCollectionAndTakesInterface3AsAuxiliary) {
  SimRig rig;
  rig.AddFamily2();
  rig.Connect(201);
  std::vector<HidDeviceRecord> devices;
  ASSERT_TRUE(rig.manager->GetDevices(devices));
  // The boot keyboard and the usage-2 vendor collection are left out; interface 3
  // becomes the auxiliary interface, never a record.
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].path, "sim:0:0");
  EXPECT_EQ(devices[0].device_type, 201);
  EXPECT_TRUE(devices[0].mode0);
  EXPECT_TRUE(rig.manager->HasAuxInterface());
  EXPECT_EQ(rig.manager->GetActiveDevice(), 0);
}

TEST(HidDeviceManager, FilterRules) {
  struct Case {
    const char* name;
    std::vector<DeviceFilter> filters;
    int records;
    int device_type;
    int mode;
  };
  const Case cases[] = {
      {"a filter naming a product accepts nothing", {{kVid, kPid2, "K201", 201, 0, ""}}, 0, 0, 0},
      {"other ids accept nothing", {{kVid, 0x1234, "", 201, 0, ""}}, 0, 0, 0},
      {"the first of two filters with the same ids decides",
       {{kVid, kPid2, "", 201, 1, ""}, {kVid, kPid2, "", 205, 2, ""}},
       1,
       201,
       1},
      {"a later unnamed filter accepts, the first still decides",
       {{kVid, kPid2, "Named", 202, 2, ""}, {kVid, kPid2, "", 201, 0, ""}},
       1,
       202,
       2},
  };
  for (const Case& c : cases) {
    SimRig rig;
    rig.sim->AddKeyboard(KeyboardConfig(kPid2));
    for (const DeviceFilter& f : c.filters) {
      rig.manager->AddDeviceFilter(f.vendor_id, f.product_id, f.product_name, f.device_type,
                                   f.connection_mode, f.interface_pattern);
    }
    rig.Connect(0);
    std::vector<HidDeviceRecord> devices;
    rig.manager->GetDevices(devices);
    ASSERT_EQ(static_cast<int>(devices.size()), c.records) << c.name;
    if (c.records == 0) continue;
    EXPECT_EQ(devices[0].device_type, c.device_type) << c.name;
    EXPECT_EQ(devices[0].connection_mode, c.mode) << c.name;
  }
}

TEST(HidDeviceManager, ModeTwoIsReportedWhileCommandsGoToTheModeOneRecord) {
  SimRig rig;
  rig.manager->AddDeviceFilter(kVid, 0xF002, "", 201, 2, "");
  rig.manager->AddDeviceFilter(kVid, 0xF001, "", 201, 1, "");
  rig.sim->AddKeyboard(KeyboardConfig(0xF002));
  rig.sim->AddKeyboard(KeyboardConfig(0xF001));
  rig.Connect(201);
  EXPECT_EQ(rig.manager->GetConnectionMode(), 2);
  EXPECT_EQ(rig.manager->GetActiveDevice(), 1);
  EXPECT_TRUE(rig.manager->SendReport(MakeOutputReport(0x88)));
  ASSERT_EQ(rig.sim->GetLog().size(), 1u);
  EXPECT_EQ(rig.sim->GetLog()[0].keyboard, 1);
}

TEST(HidDeviceManager, TheStreamGoesToTheActiveKeyboardsInterface3) {
  SimRig rig;
  rig.AddFamily2();
  const int k101 = rig.AddFamily1();
  for (int type : {101, 201}) {
    rig.Connect(type);
    ASSERT_TRUE(rig.manager->SendAuxReport(MakeOutputReport(0xF1)));
    const SimReport sent = rig.sim->GetLog().at(0);
    EXPECT_EQ(sent.keyboard == k101, type == 101) << type;
    EXPECT_EQ(sent.interface_number, kAuxInterfaceNumber);
  }
}

// Stream frames only ever reach the active keyboard's own interface 3, also
// when another keyboard (of the same model or another) has one open.
TEST(HidDeviceManager, TheStreamNeverGoesToAnotherKeyboard) {
  const std::vector<SimInterface> vendor_only = {{kVendorUsagePage, kVendorUsage, 0}};
  const std::vector<SimInterface> stream_only = {
      {kVendorUsagePage, kVendorUsage, kAuxInterfaceNumber}};
  struct Case {
    const char* name;
    int second_pid;
    std::vector<SimInterface> first;
    std::vector<SimInterface> second;
    int selected_type;
    int receiver;  // keyboard whose interface 3 gets the frame, -1 when none
  };
  const Case cases[] = {
      {"same model, the active one has no interface 3", kPid2, vendor_only, {}, 201, -1},
      {"same model, the other one's interface 3 is found first", kPid2, stream_only, {}, 201, 1},
      {"other model has the only interface 3", kPid1, vendor_only, {}, 201, -1},
      {"no keyboard of the selected type", kPid1, {}, {}, 205, -1},
  };
  for (const Case& c : cases) {
    SimRig rig;
    rig.manager->AddDeviceFilter(kVid, kPid2, "", 201, 0, "");
    rig.manager->AddDeviceFilter(kVid, kPid1, "", 101, 0, "");
    SimKeyboardConfig first = KeyboardConfig(kPid2);
    first.interfaces = c.first;
    SimKeyboardConfig second = KeyboardConfig(c.second_pid);
    second.interfaces = c.second;
    rig.sim->AddKeyboard(first);
    rig.sim->AddKeyboard(second);
    rig.Connect(c.selected_type);
    EXPECT_EQ(rig.manager->SendAuxReport(MakeOutputReport(0xF1)), c.receiver >= 0) << c.name;
    const std::vector<SimReport> log = rig.sim->GetLog();
    if (c.receiver < 0) {
      EXPECT_TRUE(log.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(log.size(), 1u) << c.name;
    EXPECT_EQ(log[0].keyboard, c.receiver) << c.name;
    EXPECT_EQ(log[0].interface_number, kAuxInterfaceNumber) << c.name;
  }
}

TEST(HidDeviceManager, NothingIsSentWhileNotReadyOrWithoutDevice) {
  SimRig rig;
  rig.AddFamily2();
  rig.Connect(201);
  rig.manager->SetReady(false);
  SlotTable table{};
  std::uint16_t version = 0;
  EXPECT_FALSE(rig.manager->SendReport(MakeOutputReport(0x88)));
  EXPECT_FALSE(rig.manager->SendAuxReport(MakeOutputReport(0xF1)));
  EXPECT_FALSE(rig.manager->SendLongReport(LongPayload{}));
  EXPECT_FALSE(rig.manager->SendFeatureNow(MakeFeatureReport(0xF7)));
  EXPECT_FALSE(rig.manager->ReadSlotTable(MakeFeatureReport(0xFB), table));
  EXPECT_FALSE(rig.manager->ReadFirmwareVersion(version));
  EXPECT_TRUE(rig.sim->GetLog().empty());
  EXPECT_EQ(rig.clock.Now().count(), 0) << "no pause is taken either";

  // A selected type with no record: no active device.
  rig.manager->SetReady(true);
  rig.manager->SetSelectedDeviceType(101);
  rig.manager->ForgetActiveDevice();
  EXPECT_EQ(rig.manager->GetActiveDevice(), -1);
  EXPECT_FALSE(rig.manager->SendReport(MakeOutputReport(0x88)));
  EXPECT_TRUE(rig.sim->GetLog().empty());
}

TEST(HidDeviceManager, FailedWritesAreRetriedOnceAfterTheirPause) {
  struct Case {
    const char* name;
    std::function<bool(HidDeviceManager&)> send;
    double retry_ms;
    bool result;
    int interface_number;
  };
  const Case cases[] = {
      {"output", [](HidDeviceManager& m) { return m.SendReport(MakeOutputReport(0x88)); }, 10,
       false, 0},
      {"long", [](HidDeviceManager& m) { return m.SendLongReport(LongPayload{}); }, 32, false, 0},
      {"aux counts as sent",
       [](HidDeviceManager& m) { return m.SendAuxReport(MakeOutputReport(0xF1)); }, 10, true, 3},
  };
  for (const Case& c : cases) {
    SimRig rig;
    const int kb = rig.AddFamily2();
    rig.Connect(201);
    rig.sim->UnplugAfter(kb, 0);
    EXPECT_EQ(c.send(*rig.manager), c.result) << c.name;
    const std::vector<SimReport> log = rig.sim->GetLog();
    ASSERT_EQ(log.size(), 2u) << c.name;
    EXPECT_FALSE(log[0].ok);
    EXPECT_EQ(log[0].interface_number, c.interface_number) << c.name;
    EXPECT_DOUBLE_EQ(Gaps(log)[1], c.retry_ms) << c.name;
    EXPECT_EQ(rig.manager->GetLastError(), "No such device") << "cut at the line break";
  }
}

TEST(HidDeviceManager, SendFeaturePausesFirstAndReportsNothingUsable) {
  SimRig rig;
  rig.AddFamily2();
  rig.Connect(201);
  EXPECT_FALSE(rig.manager->SendFeature(MakeFeatureReport(0xF7)));
  EXPECT_TRUE(rig.manager->SendFeatureNow(MakeFeatureReport(0xF7)));
  const std::vector<SimReport> log = rig.sim->GetLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_DOUBLE_EQ(Gaps(log)[0], 16.0);
  EXPECT_DOUBLE_EQ(Gaps(log)[1], 0.0);
}

TEST(HidDeviceManager, OutputReportsArePaddedToALongerDeviceReport) {
  SimRig rig;
  rig.manager->AddDeviceFilter(kVid, kPid2, "", 201, 0, "");
  SimKeyboardConfig config = KeyboardConfig(kPid2);
  config.output_report_length = 129;
  rig.sim->AddKeyboard(config);
  rig.Connect(201);
  OutputReport report = MakeOutputReport(0x88);
  report[64] = 0x5A;
  ASSERT_TRUE(rig.manager->SendReport(report));
  const std::vector<std::uint8_t> bytes = rig.sim->GetLog().at(0).bytes;
  ASSERT_EQ(bytes.size(), 129u);
  EXPECT_EQ(bytes[64], 0x5A);
  EXPECT_EQ(bytes[65], 0);
  EXPECT_EQ(bytes[128], 0);
}

TEST(HidDeviceManager, SlotTableReads) {
  struct Case {
    ReadBehaviour behaviour;
    int fresh_bytes;
  };
  for (const Case& c : {Case{ReadBehaviour::kNormal, 28}, Case{ReadBehaviour::kFirstTwoReads, 14},
                        Case{ReadBehaviour::kNever, 0}}) {
    SimRig rig;
    const int kb = rig.AddFamily2();
    rig.Connect(201);
    // Fill the keyboard's slots so every fresh byte is recognisable: macro slots
    // 1-13 bound to keys 0x11.., remap slots 1-10 to keys 0x31...
    for (int s = 1; s <= 13; ++s) {
      for (const FeatureReport& r :
           SplitMacroSlotBlock(BuildMacroSlotBlock(0x10 + s, s, kKindShortcut, 1, {}))) {
        rig.manager->SendFeatureNow(r);
      }
    }
    for (int s = 1; s <= 10; ++s) {
      rig.manager->SendFeatureNow(*BuildRemapSlotReport(s, Assign(0x30 + s, kKindFunction, 4)));
    }
    rig.sim->SetReadBehaviour(kb, c.behaviour);
    rig.sim->ClearLog();
    SlotTable table;
    table.fill(0xEE);
    const auto start = rig.clock.Now();
    FeatureReport request = MakeFeatureReport(kCmdReadSlotTable);
    request[2] = kSlotTableSubcommand;
    ASSERT_TRUE(rig.manager->ReadSlotTable(request, table));
    // The request goes out at once, each of the four reads 16 ms later.
    const std::vector<SimReport> log = rig.sim->GetLog();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(Gaps(log, start), (std::vector<double>{0, 16, 16, 16, 16}));
    for (int i = 0; i < 28; ++i) {
      std::uint8_t expected = 0xEE;
      if (i < c.fresh_bytes)
        expected = i == 0 ? 0 : i <= 13 ? 0x10 + i : i <= 23 ? 0x30 + i - 13 : 0;
      EXPECT_EQ(table[i], expected) << "byte " << i << " fresh " << c.fresh_bytes;
    }
  }
}

TEST(HidDeviceManager, FirmwareVersion) {
  SimRig rig;
  const int kb = rig.AddFamily2();
  rig.Connect(201);
  rig.sim->SetFirmwareVersion(kb, 0x0203);
  std::uint16_t version = 0;
  ASSERT_TRUE(rig.manager->ReadFirmwareVersion(version));
  EXPECT_EQ(version, 0x0203);
  ExpectTrace({"set 07 FD", "get 07 02 03"}, Trace(rig.sim->GetLog()));
  EXPECT_EQ(Gaps(rig.sim->GetLog()), (std::vector<double>{16, 16}));

  // A keyboard that never answers gives no version (not the request's 0xFD00),
  // after exactly one repeated read.
  rig.sim->SetReadBehaviour(kb, ReadBehaviour::kNever);
  rig.sim->ClearLog();
  version = 0x1234;
  EXPECT_FALSE(rig.manager->ReadFirmwareVersion(version));
  EXPECT_EQ(version, 0x1234);
  ExpectTrace({"set 07 FD", "get! 07 FD", "get! 07 FD"}, Trace(rig.sim->GetLog()));
}

TEST(HidDeviceManager, TraceFileHasOneLinePerReport) {
  const std::string path = ::testing::TempDir() + "hid_trace.txt";
  std::remove(path.c_str());
  setenv("TERVANE_HID_TRACE", path.c_str(), 1);
  {
    SimRig rig;
    rig.AddFamily2();
    rig.Connect(201);
    unsetenv("TERVANE_HID_TRACE");
    rig.manager->SendFeature(MakeFeatureReport(0xF7));
    rig.manager->SendAuxReport(MakeOutputReport(0xF1));
  }
  std::ifstream in(path);
  std::string first, second, extra;
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_FALSE(std::getline(in, extra));
  EXPECT_EQ(first, "16.000 set-feature 07f7000000000000");
  EXPECT_EQ(second.rfind("16.000 aux-write 00f1", 0), 0u) << second;
  EXPECT_EQ(second.size(), std::string("16.000 aux-write ").size() + 130);
}

TEST(HidDeviceManager, VirtualDevicesMarkTheirStreamInterfaceByUsage) {
  struct Case {
    int interface_number;
    std::uint16_t usage_page, usage;
    int want_interface;
    std::uint16_t want_usage;
  };
  const Case cases[] = {
      {-1, kVendorUsagePage, kVirtualAuxUsage, kAuxInterfaceNumber, kVendorUsage},
      {-1, kVendorUsagePage, kVendorUsage, -1, kVendorUsage},
      {0, kVendorUsagePage, kVirtualAuxUsage, 0, kVirtualAuxUsage},  // a USB device keeps its own
      {-1, 0x0001, kVirtualAuxUsage, -1, kVirtualAuxUsage},
  };
  for (const Case& c : cases) {
    HidDeviceInfo info;
    info.interface_number = c.interface_number;
    info.usage_page = c.usage_page;
    info.usage = c.usage;
    const HidDeviceInfo out = ApplyVirtualInterfaceRule(info);
    EXPECT_EQ(out.interface_number, c.want_interface);
    EXPECT_EQ(out.usage, c.want_usage);
  }
}

}  // namespace

namespace {

TEST(HidBackendChoice, SimulatorOnRequestHidapiOtherwise) {
  const HidBackendChoice simulated = CreateHidBackend(true);
  ASSERT_NE(simulated.simulator, nullptr);
  EXPECT_EQ(simulated.backend.get(), simulated.simulator);

  // The real back end loads here too; this machine has no hidraw nodes to list.
  const HidBackendChoice real = CreateHidBackend(false);
  EXPECT_EQ(real.simulator, nullptr);
  ASSERT_TRUE(real.backend);
  EXPECT_TRUE(real.backend->Available());
  EXPECT_EQ(real.backend->Open("/nonexistent/hidraw"), nullptr);
}

}  // namespace
