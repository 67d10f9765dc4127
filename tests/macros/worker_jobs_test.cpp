// The program's job table against the keyboard simulator and a real store: what each job sends,
// the page reloads by capability flags, and a dropped job that sends nothing.
#include <gtest/gtest.h>

#include "macros/worker.h"
#include "macros/worker_jobs.h"
#include "tests/device/recording_host.h"
#include "tests/device/sim_fixture.h"
#include "tests/store/store_fixture.h"
#include "tests/vkeyboard/vkeyboard_fakes.h"

namespace {

KeyAssignmentRow ProfileAssignment(int key, int kind, int value) {
  KeyAssignmentRow row = Assign(key, kind, value);
  row.profile = 1;
  return row;
}

class FakeJobHost final : public JobHost {
 public:
  std::vector<std::string> calls;
  std::uint8_t flags = 0x07;
  bool parameters_sent = false;
  KeyboardLayout layout;

  int DeviceType() override { return 201; }
  int ConnectionMode() override { return 0; }
  int CurrentProfile() override { return 1; }
  int CurrentLayer() override { return 0; }
  int LightingProfile() override { return 1; }
  std::uint8_t CapabilityFlags() override { return flags; }
  const KeyboardLayout& Layout() override { return layout; }
  void StartMusic() override { calls.push_back("music"); }
  void ReloadMacroList() override { calls.push_back("macros"); }
  void ReloadProfileList() override { calls.push_back("profiles"); }
  void ReloadLightList() override { calls.push_back("lights"); }
  void LoadMusicLayer() override { calls.push_back("music layer"); }
  int SelectedCustomSlot() override { return 0; }
  bool LightParametersSent() override { return parameters_sent; }
  void SetLightParametersSent() override { parameters_sent = true; }
};

class AbsentKeyboardHost final : public WorkerHost {
 public:
  bool IsKeyboardAttached() override { return false; }
  bool IsKeyboardConnected() override { return false; }
  bool WantsStreamFrames() override { return false; }
  void SetWindowEnabled(bool) override {}
  bool CloseWaitDialog() override { return false; }
};

class WorkerJobsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.OpenForDevice(dir.path(), "K201"));
    ASSERT_TRUE(AddDefaultProfiles(store));
    keyboard = sim.AddFamily2();
  }
  void Run(int code) {
    const WorkerJob* job = table.Find(code);
    ASSERT_TRUE(job && job->run) << code;
    job->run();
  }

  TempDir dir;
  ProfileStore store;
  SimRig sim;
  int keyboard = 0;
  RecordingHost connection_host;
  DeviceConnection connection{*sim.manager, connection_host};
  LightProtocol light{*sim.manager};
  VirtualKeyboardRig virtual_keyboard;
  ScriptedKeySource* source = new ScriptedKeySource;
  KeyFilter filter{std::unique_ptr<KeyEventSource>(source), virtual_keyboard.vhidev};
  FakeJobHost host;
  JobServices services{store, connection, *sim.manager, light, filter, host};
  JobTable table = BuildWorkerJobs(services);
};

TEST_F(WorkerJobsTest, FirstSetUpScansOnceAndStartsTheMusicCapture) {
  const WorkerJob* first = table.Find(kJobFirstSetup);
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->once_per_run);
  EXPECT_FALSE(first->needs_keyboard);
  Run(kJobFirstSetup);
  EXPECT_TRUE(connection_host.connected);
  EXPECT_EQ(host.calls, std::vector<std::string>{"music"});
  for (int code : {2, 3, 12}) EXPECT_FALSE(table.Find(code)->needs_keyboard) << code;
  for (int code : {5, 6, 7, 8, 10, 13, 14, 15}) EXPECT_TRUE(table.Find(code)->needs_keyboard);
  for (int code : {6, 7, 8, 10}) EXPECT_TRUE(table.Find(code)->closes_wait_dialog) << code;
}

TEST_F(WorkerJobsTest, DeviceJobsReachTheKeyboard) {
  LightRow mode;
  mode.profile = 1;
  mode.mode = 3;
  mode.brightness = 4;
  mode.speed = 2;
  ASSERT_GT(store.AddLight(mode), 0);
  ASSERT_TRUE(store.SetActiveLight(1, 3));
  ASSERT_TRUE(store.ReplaceKeyLights({KeyLight(0x04, RGB(7, 8, 9))}));
  host.layout.light_map = {{0x04, 0}};
  ASSERT_GT(store.SaveKeyAssignment(ProfileAssignment(0x3B, 2, 0x05)), 0);
  sim.Connect(201);

  Run(kJobResetKeyboard);
  Run(kJobSendLightMode);
  Run(kJobSendCustomColours);
  Run(kJobSendKeyMap);
  const KeyboardState state = sim.sim->GetState(keyboard);
  EXPECT_EQ(state.mode, 3);
  EXPECT_TRUE(host.parameters_sent);
  EXPECT_EQ(state.custom_colours[0], 7);
  EXPECT_EQ(state.custom_colours[2], 9);
  ASSERT_EQ(state.remap_slots.count(1), 1u);
  EXPECT_EQ(state.remap_slots.at(1).value, 0x05);
  EXPECT_EQ(state.resets, 1);
  EXPECT_EQ(state.unknown_reports, 0);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"macros", "profiles", "lights", "music layer"}))
      << "a reset reloads the pages";
}

TEST_F(WorkerJobsTest, ALayoutWithoutLightIndicesUploadsEveryKeyAtPositionZero) {
  ASSERT_TRUE(store.ReplaceKeyLights({KeyLight(0x05, RGB(1, 2, 3))}));
  ASSERT_TRUE(host.layout.light_map.empty());
  sim.Connect(201);
  Run(kJobSendCustomColours);
  const KeyboardState state = sim.sim->GetState(keyboard);
  EXPECT_EQ(state.custom_colours[0], 1);
  EXPECT_EQ(state.custom_colours[2], 3);
}

TEST_F(WorkerJobsTest, ReloadFollowsTheCapabilityFlags) {
  ASSERT_GT(store.SaveKeyAssignment(ProfileAssignment(0x3B, 2, 0x05)), 0);
  host.flags = kPageMacros;
  Run(kJobReloadPages);
  EXPECT_EQ(host.calls, std::vector<std::string>{"macros"});
  EXPECT_TRUE(source->calls.empty());

  host.calls.clear();
  host.flags = kPageKeys | kPageLighting;
  Run(kJobReloadPages);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"profiles", "lights", "music layer"}));
  EXPECT_EQ(source->calls, (std::vector<std::string>{"table", "table 59", "start"}));
  filter.StopAndClear();
}

TEST_F(WorkerJobsTest, AQueuedLightModeWithTheKeyboardUnpluggedSendsNothing) {
  sim.Connect(201);
  AbsentKeyboardHost absent;
  MacroPlayer player(store, virtual_keyboard.vhidev, sim.clock, nullptr);
  Worker worker(table, absent, player, sim.clock);
  worker.EnqueueJob(kJobSendLightMode);
  worker.RunCycle();
  worker.RunCycle();
  EXPECT_TRUE(sim.sim->GetLog().empty());
  EXPECT_FALSE(host.parameters_sent);
}

}  // namespace
