// Ensure drivers with fakes for the virtual device, the node access and the installer run, and
// the install script itself writing its rules into a scratch root.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "tests/store/store_fixture.h"
#include "tests/vkeyboard/vkeyboard_fakes.h"
#include "vkeyboard/driver_setup.h"

namespace {

class FakeRunner final : public ProcessRunner {
 public:
  bool starts = true;
  std::function<void()> on_run;
  std::vector<std::vector<std::string>> runs;
  bool Run(const std::vector<std::string>& argv) override {
    runs.push_back(argv);
    if (starts && on_run) on_run();
    return starts;
  }
};

class FakeDriverHost final : public DriverHost {
 public:
  std::vector<std::string> shown;
  int exit_code = -1;
  void ShowDriverFailure(const DriverFailureMessage& m) override {
    shown.push_back(m.title + "|" + m.text + "|" + m.background + "|" + std::to_string(m.width) +
                    "x" + std::to_string(m.height));
  }
  void EndProcess(int code) override { exit_code = code; }
};

class NullProxy final : public MonitorProxy {
 public:
  int OnFilteredKey(int, bool) override { return 1; }
};

struct DriverRig {
  VirtualKeyboardRig keyboard;
  ScriptedKeySource* source = new ScriptedKeySource;
  KeyFilter filter{std::unique_ptr<KeyEventSource>(source), keyboard.vhidev};
  FakeRunner runner;
  FakeDriverHost host;
  NullProxy proxy;
  DriverSetup setup{keyboard.vhidev, filter, runner, "/opt/tervane/driver"};
  const std::vector<UsbId> ids = {{0x3554, 0xF001}, {0x3554, 0xF101}};
};

const std::vector<std::string> kInstall = {"pkexec", "/opt/tervane/driver/install.sh", "3554:f001",
                                           "3554:f101"};

TEST(EnsureDrivers, WithAccessNothingIsInstalled) {
  DriverRig rig;
  rig.keyboard.vhidev.Key(0x04, true);  // would stay down on a reused device
  EXPECT_TRUE(rig.setup.EnsureDrivers(rig.ids, &rig.proxy, rig.host));
  EXPECT_TRUE(rig.runner.runs.empty());
  EXPECT_EQ(rig.source->keyboards, rig.ids);
  EXPECT_EQ(rig.keyboard.opened, 1);
  EXPECT_TRUE(rig.keyboard.log.HeldKeys().empty());
  EXPECT_EQ(rig.host.exit_code, -1);
}

TEST(EnsureDrivers, InstallsWhenTheDeviceOrTheNodesAreOutOfReach) {
  struct Case {
    const char* name;
    bool can_open;
    NodeAccess access;
    bool install_grants;
    bool tool_starts;
    bool ok;
  };
  const Case cases[] = {
      {"no uinput, install helps", false, NodeAccess::kAllowed, true, true, true},
      {"nodes denied, install helps", true, NodeAccess::kDenied, true, true, true},
      {"nodes still denied: the key filter only misses keys", true, NodeAccess::kDenied, false,
       true, true},
      {"no uinput, install does not help", false, NodeAccess::kNoKeyboard, false, true, false},
      {"no uinput, pkexec cannot start", false, NodeAccess::kAllowed, true, false, false},
  };
  for (const Case& c : cases) {
    DriverRig rig;
    rig.keyboard.can_open = c.can_open;
    rig.source->access = c.access;
    rig.runner.starts = c.tool_starts;
    rig.runner.on_run = [&rig, &c] {
      if (c.install_grants) {
        rig.keyboard.can_open = true;
        rig.source->access = NodeAccess::kAllowed;
      }
    };
    EXPECT_EQ(rig.setup.EnsureDrivers(rig.ids, &rig.proxy, rig.host), c.ok) << c.name;
    EXPECT_EQ(rig.runner.runs, std::vector<std::vector<std::string>>{kInstall}) << c.name;
    if (c.ok) {
      EXPECT_TRUE(rig.host.shown.empty()) << c.name;
      EXPECT_EQ(rig.host.exit_code, -1) << c.name;
    } else {
      EXPECT_EQ(
          rig.host.shown,
          std::vector<std::string>{"Install Driver|InstallDriver Error!|bk_prompt.png|380x200"})
          << c.name;
      EXPECT_EQ(rig.host.exit_code, 0) << c.name;
    }
  }
}

TEST(EnsureDrivers, InstallSucceedsAtOnceWithAccess) {
  DriverRig rig;
  EXPECT_TRUE(rig.setup.Install(rig.ids));
  EXPECT_TRUE(rig.runner.runs.empty());
  EXPECT_EQ(DriverSetup::DriverFolder("/opt/tervane/"), "/opt/tervane/driver");
}

// The install script, run against a scratch root instead of /.
int RunScript(const std::string& root, const std::string& args) {
  const std::string command = "TERVANE_DRIVER_ROOT='" + root + "' '" TERVANE_SOURCE_DIR +
                              std::string("/install/driver/install.sh' ") + args + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(InstallScript, GrantsTheSeatUserTheDeviceAndTheNamedKeyboardsOnly) {
  TempDir root;
  ASSERT_EQ(RunScript(root.path(), "3554:F001 abcd:0123"), 0);
  const std::string rules = ReadFile(root.File("etc/udev/rules.d/70-tervane.rules"));
  EXPECT_NE(rules.find(R"(KERNEL=="uinput", SUBSYSTEM=="misc", TAG+="uaccess")"),
            std::string::npos);
  for (
      const char* line :
      {R"(SUBSYSTEM=="input", KERNEL=="event*", ATTRS{idVendor}=="3554", ATTRS{idProduct}=="f001", TAG+="uaccess")",
       R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="3554", ATTRS{idProduct}=="f001", TAG+="uaccess")",
       R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="abcd", ATTRS{idProduct}=="0123", TAG+="uaccess")"}) {
    EXPECT_NE(rules.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(rules.find("MODE"), std::string::npos) << "access comes from the seat, not a mode";
  EXPECT_EQ(ReadFile(root.File("etc/modules-load.d/tervane.conf")), "uinput\n");
}

TEST(InstallScript, RefusesAnythingButIdPairsAndWritesNothing) {
  for (const char* bad : {"3554", "3554:f0011", "35g4:f001", "'3554:f001;rm'", "'' ", "../x:y"}) {
    TempDir root;
    EXPECT_EQ(RunScript(root.path(), std::string("3554:f001 ") + bad), 2) << bad;
    EXPECT_FALSE(std::filesystem::exists(root.File("etc/udev/rules.d/70-tervane.rules"))) << bad;
  }
}

}  // namespace
