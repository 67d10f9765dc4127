// The key filter and the virtual keyboard on the real kernel: a uinput keyboard with the
// configured ids stands in for the physical one, the real key filter grabs its evdev node, and
// what the program's real uinput device sends is read back through evdev. Runs in the test VM;
// elsewhere (no /dev/uinput) every test is skipped.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "device/clock.h"
#include "macros/worker.h"
#include "platform/input_event_sink.h"
#include "tests/store/store_fixture.h"
#include "tests/vm_vkeyboard/evdev_devices.h"
#include "vkeyboard/key_filter.h"
#include "vkeyboard/key_handler.h"
#include "vkeyboard/uinput_hid_device.h"

namespace {

constexpr const char* kVirtualName = "Tervane test virtual input";
constexpr int kVkA = 0x41;

class NoHost final : public WorkerHost {
 public:
  bool IsKeyboardAttached() override { return true; }
  bool IsKeyboardConnected() override { return true; }
  bool WantsStreamFrames() override { return false; }
  void SetWindowEnabled(bool) override {}
  bool CloseWaitDialog() override { return false; }
};

// The program's side: its virtual keyboard, key filter, key handler and worker, on a store that
// assigns F1 to B, F2 to a macro typing A and F3 to Ctrl+A on profile 1 and nothing on profile 2.
struct Program {
  TempDir dir;
  ProfileStore store;
  VHidev vhidev{[] {
    std::string error;
    std::unique_ptr<InputEventSink> sink = OpenUinputSink(kVirtualName, error);
    return sink ? std::make_unique<UinputHidDevice>(std::move(sink)) : nullptr;
  }};
  KeyFilter filter{MakeEvdevKeySource(vhidev), vhidev};
  JobTable jobs;
  NoHost host;
  MacroPlayer player{store, vhidev, SteadyClock::Get(), nullptr};
  Worker worker{jobs, host, player, SteadyClock::Get()};
  KeyHandler handler{filter, vhidev, SteadyClock::Get(), worker, nullptr};

  bool Set() {
    if (!store.OpenForDevice(dir.path(), "K201") || !AddDefaultProfiles(store)) return false;
    const int macro = store.AddMacro("M");
    if (!store.AddMacroRecords({{0, macro, 2, 0, kVkA, 0, ""}, {0, macro, 3, 1, kVkA, 0, ""}})) {
      return false;
    }
    for (auto [key, kind, value] : {std::tuple{0x3A, 2, 0x05}, {0x3B, 3, macro}, {0x3C, 7, 1}}) {
      KeyAssignmentRow row;
      row.profile = 1;
      row.key_code = key;
      row.macro_type = kind;
      row.macro_value = value;
      if (store.SaveKeyAssignment(row) == 0) return false;
    }
    if (!vhidev.Open()) return false;
    filter.SetKeyboards({{kVendor, kProduct}});
    filter.GetMonitor().RegisterProxy(&handler);
    return worker.Start();
  }
};

constexpr std::chrono::milliseconds kWait{3000};

class RealKernel : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access("/dev/uinput", R_OK | W_OK) != 0) {
      GTEST_SKIP() << "needs /dev/uinput: runs inside the test VM (ctest -R vm_)";
    }
    ASSERT_TRUE(physical.Ok());
  }
  PhysicalKeyboard physical;
};

TEST_F(RealKernel, AssignedKeysBecomeTheirAssignmentsOthersPassThrough) {
  Program program;
  ASSERT_TRUE(program.Set());
  NodeReader out(FindNodeByName(kVirtualName));
  ASSERT_TRUE(out.Ok());
  NodeReader in(physical.Node());
  ASSERT_TRUE(in.Ok());
  ASSERT_EQ(program.filter.CheckAccess(), NodeAccess::kAllowed);
  ASSERT_EQ(program.filter.Refresh(program.store, 1, 0), 3);

  physical.Tap(KEY_F1, 0x3A);
  EXPECT_EQ(out.Keys(2, kWait), (std::vector<std::string>{"48:1", "48:0"})) << "F1 types B";
  physical.Tap(KEY_X, 0x1B);
  EXPECT_EQ(out.Keys(2, kWait), (std::vector<std::string>{"45:1", "45:0"})) << "X passes";
  physical.Tap(KEY_F2, 0x3B);
  EXPECT_EQ(out.Keys(2, kWait), (std::vector<std::string>{"30:1", "30:0"})) << "the macro";
  // The macro's pass ends by releasing every report 5 ms after its last key; a shortcut typed
  // before that would lose its modifier to it.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  physical.Tap(KEY_F3, 0x3C);
  EXPECT_EQ(out.Keys(4, kWait), (std::vector<std::string>{"29:1", "30:1", "30:0", "29:0"}));
  EXPECT_TRUE(in.Keys(1, std::chrono::milliseconds(200)).empty())
      << "while grabbed nobody else sees the keyboard";

  // A profile without assignments gives the keyboard back.
  EXPECT_EQ(program.filter.Refresh(program.store, 2, 0), 0);
  physical.Tap(KEY_F1, 0x3A);
  EXPECT_EQ(in.Keys(2, kWait), (std::vector<std::string>{"59:1", "59:0"}));
  EXPECT_TRUE(out.Keys(1, std::chrono::milliseconds(200)).empty());
  program.filter.StopAndClear();
}

// Lock lights the desktop sets on the virtual keyboard, where the lock keys now come from.
void SetLight(const std::string& node, unsigned code, bool on) {
  const int fd = open(node.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  const input_event events[] = {{{}, EV_LED, static_cast<std::uint16_t>(code), on ? 1 : 0},
                                {{}, EV_SYN, SYN_REPORT, 0}};
  EXPECT_EQ(write(fd, events, sizeof events), static_cast<ssize_t>(sizeof events));
  close(fd);
}

TEST_F(RealKernel, LockLightsOfTheVirtualKeyboardReachTheGrabbedKeyboard) {
  Program program;
  ASSERT_TRUE(program.Set());
  const std::string virtual_node = FindNodeByName(kVirtualName);
  ASSERT_FALSE(virtual_node.empty());
  ASSERT_EQ(program.filter.Refresh(program.store, 1, 0), 3);
  NodeReader out(virtual_node);
  physical.Tap(KEY_F1, 0x3A);
  ASSERT_EQ(out.Keys(2, kWait).size(), 2u) << "the keyboard is grabbed";

  SetLight(virtual_node, LED_CAPSL, true);
  EXPECT_TRUE(physical.LightSet(LED_CAPSL, true, kWait));
  SetLight(virtual_node, LED_NUML, true);
  SetLight(virtual_node, LED_CAPSL, false);
  EXPECT_TRUE(physical.LightSet(LED_NUML, true, kWait));
  EXPECT_TRUE(physical.LightSet(LED_CAPSL, false, kWait));
  program.filter.StopAndClear();
}

TEST_F(RealKernel, NoKeyStaysDownWhenTheProgramIsKilled) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(ready[0]);
    Program program;
    const bool ok = program.Set() && program.filter.Refresh(program.store, 1, 0) == 3;
    const char byte = ok ? 1 : 0;
    [[maybe_unused]] const ssize_t n = write(ready[1], &byte, 1);
    for (;;) pause();
  }
  close(ready[1]);
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  ASSERT_EQ(byte, 1) << "the program could not start its filter";
  const std::string virtual_node = FindNodeByName(kVirtualName);
  NodeReader out(virtual_node);
  ASSERT_TRUE(out.Ok());
  NodeReader in(physical.Node());

  physical.Key(KEY_F1, 1, 0x3A);  // held: B down on the virtual keyboard
  physical.Key(KEY_X, 1, 0x1B);   // held and passed through
  EXPECT_EQ(out.Keys(2, kWait), (std::vector<std::string>{"48:1", "45:1"}));

  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  // The kernel releases what a removed device held and every reader loses the device, so no
  // key of it can stay down anywhere.
  out.Keys(1, kWait);
  EXPECT_TRUE(out.Gone()) << "the virtual keyboard goes with the process";
  for (int i = 0; i < 100 && access(virtual_node.c_str(), F_OK) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_NE(access(virtual_node.c_str(), F_OK), 0);

  // The grab ended with the process: the keyboard reaches everyone again.
  physical.Key(KEY_X, 0, 0x1B);
  physical.Tap(KEY_Y, 0x1C);
  EXPECT_EQ(in.Keys(3, kWait), (std::vector<std::string>{"45:0", "21:1", "21:0"}));
}

}  // namespace
