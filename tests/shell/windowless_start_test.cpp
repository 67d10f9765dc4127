// The window-less start on the installed data set: config.xml, the device
// manager over the simulator, the layout loader and the profile database
// fit together, and hot-plug notices become one report per change.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "device/device_notice.h"
#include "shell/windowless_start.h"
#include "sim/keyboard_simulator.h"
#include "sim/sim_clock.h"
#include "store/profile_store.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kK201Syspath =
    "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/0003:3554:F001.0001/hidraw/hidraw0";

class WindowlessStart : public testing::Test {
 protected:
  WindowlessStart() {
    auto simulator = std::make_unique<KeyboardSimulator>(m_clock);
    m_simulator = simulator.get();
    m_manager = std::make_unique<HidDeviceManager>(std::move(simulator), m_clock);
  }

  // Everything printed since the last call.
  std::string TakeOutput() {
    std::string text = m_out.str();
    m_out.str({});
    return text;
  }

  void Load() {
    LoadModels(std::string(TERVANE_BIN_DIR) + "/", m_data.path() + "/", m_store, m_config, m_layout,
               *m_manager, m_status);
  }

  VirtualClock m_clock;
  TempDir m_data;
  ProfileStore m_store;
  std::ostringstream m_out;
  Configuration m_config;
  ConsoleStatus m_status{m_out, m_config};
  KeyboardLayout m_layout;
  KeyboardSimulator* m_simulator = nullptr;
  std::unique_ptr<HidDeviceManager> m_manager;
};

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(WindowlessStart, ConfiguredModelsAreFoundConnectedAndTheirDatabaseIsCreated) {
  Load();
  ASSERT_EQ(m_manager->GetDeviceFilters().size(), 4u) << "one filter per configured mode";
  m_simulator->AddKeyboardsFor(m_manager->GetDeviceFilters());
  m_simulator->SetFirmwareVersion(0, 0x0203);
  DeviceConnection connection(*m_manager, m_status);
  ScanDevices(connection, *m_manager, m_status);

  const std::string out = TakeOutput();
  for (const char* line : {
           "Configured keyboard model: Tervane K201 (device type 201)\n",
           "Configured keyboard model: Tervane K101 (device type 101)\n",
           "Layout of Tervane K201: 104 keys",
           "Keyboard found: Tervane K201 over USB (connection mode 0)\n",
           "Keyboard found: Tervane K101 over USB (connection mode 0)\n",
           "Connected: Tervane K201 over USB (connection mode 0), firmware 2.03\n",
       }) {
    EXPECT_TRUE(Has(out, line)) << line << "\n---\n" << out;
  }
  const std::string db = m_data.File("db/Tervane K201_data_v1.db");
  EXPECT_TRUE(Has(out, "Profile database: " + db + "\n")) << out;
  EXPECT_TRUE(std::filesystem::exists(db));
  EXPECT_TRUE(m_store.IsOpen());
  EXPECT_FALSE(m_status.TakeRefreshRequest()) << "the start-up scan needs no second one";
}

TEST_F(WindowlessStart, UnplugAndReplugReportOncePerChange) {
  Load();
  m_simulator->AddKeyboardsFor(m_manager->GetDeviceFilters());
  DeviceConnection connection(*m_manager, m_status);
  ScanDevices(connection, *m_manager, m_status);
  TakeOutput();

  m_simulator->SetPlugged(0, false);
  connection.OnDeviceChange({NoticeKind::kRemoval, NoticePathFromSyspath(kK201Syspath)});
  ASSERT_TRUE(m_status.TakeRefreshRequest());
  ScanDevices(connection, *m_manager, m_status);
  std::string out = TakeOutput();
  EXPECT_TRUE(Has(out, "Unplugged: the keyboard in connection mode 0\n")) << out;
  EXPECT_FALSE(Has(out, "Keyboard found: Tervane K201")) << out;
  EXPECT_TRUE(Has(out, "Keyboard found: Tervane K101")) << out;
  EXPECT_TRUE(Has(out, "Not connected: no Tervane K201 found")) << out;

  // A keyboard arrives as several hidraw nodes, each one a notice and a refresh.
  m_simulator->SetPlugged(0, true);
  for (int node = 0; node < 3; ++node) {
    connection.OnDeviceChange({NoticeKind::kArrival, NoticePathFromSyspath(kK201Syspath)});
    ASSERT_TRUE(m_status.TakeRefreshRequest());
    ScanDevices(connection, *m_manager, m_status);
  }
  out = TakeOutput();
  EXPECT_EQ(out,
            "Plugged in: a Tervane K201\n"
            "Keyboard found: Tervane K201 over USB (connection mode 0)\n"
            "Keyboard found: Tervane K101 over USB (connection mode 0)\n"
            "Connected: Tervane K201 over USB (connection mode 0), firmware 1.06\n");
}

TEST_F(WindowlessStart, UnreadableDatabaseIsKeptAsideAndTheUserIsTold) {
  const std::string db = m_data.Write("db/Tervane K201_data_v1.db", std::string(4096, 'x'));
  Load();
  const std::string out = TakeOutput();
  ASSERT_FALSE(m_store.SetAsideFile().empty());
  EXPECT_TRUE(Has(out, "The profile database " + db + " could not be read; it was kept as " +
                           m_store.SetAsideFile()))
      << out;
  EXPECT_EQ(TempDir::Read(m_store.SetAsideFile()), std::string(4096, 'x'));
  EXPECT_TRUE(m_store.IsOpen());
}

}  // namespace
