// The worker cycle: one job and one playback item per cycle, device jobs only with a keyboard,
// wait dialogs that always end, the stream step only while no job waits, and a thread that
// sleeps while there is nothing to do.
#include <gtest/gtest.h>

#include <condition_variable>

#include "macros/worker.h"
#include "tests/store/store_fixture.h"
#include "tests/vkeyboard/vkeyboard_fakes.h"

namespace {

constexpr int kVkA = 0x41;
constexpr int kVkB = 0x42;

// Polls `done` for up to ten seconds.
template <typename Done>
bool Eventually(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

class FakeWorkerHost final : public WorkerHost {
 public:
  std::atomic<bool> attached{true};
  std::atomic<bool> connected{true};
  std::atomic<bool> stream{false};
  bool wait_dialog_open = false;
  std::atomic<int> stream_queries{0};

  bool IsKeyboardAttached() override { return attached; }
  bool IsKeyboardConnected() override { return connected; }
  bool WantsStreamFrames() override {
    ++stream_queries;
    return stream;
  }
  void SetWindowEnabled(bool enabled) override { Log(enabled ? "enable" : "disable"); }
  bool CloseWaitDialog() override {
    Log("close wait dialog");
    return std::exchange(wait_dialog_open, false);
  }

  void Log(const std::string& what) {
    std::lock_guard lock(m_lock);
    m_calls.push_back(what);
    m_cv.notify_all();
  }
  std::vector<std::string> TakeCalls() {
    std::lock_guard lock(m_lock);
    return std::exchange(m_calls, {});
  }
  bool WaitFor(const std::string& what) {
    std::unique_lock lock(m_lock);
    return m_cv.wait_for(lock, std::chrono::seconds(10), [&] {
      return std::find(m_calls.begin(), m_calls.end(), what) != m_calls.end();
    });
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_cv;
  std::vector<std::string> m_calls;
};

class WorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.OpenForDevice(dir.path(), "K201"));
    for (int code : {1, 2, 12}) {
      jobs.Set(code, {[this, code] { host.Log("job " + std::to_string(code)); }, false, false,
                      code == 1});
    }
    for (int code : {7, 8}) {
      jobs.Set(code, {[this, code] { host.Log("job " + std::to_string(code)); }, true, true});
    }
    jobs.Set(5, {[this] { host.Log("job 5"); }});
    macro_a = AddMacro(kVkA);
    macro_b = AddMacro(kVkB);
  }

  int AddMacro(int vk) {
    const int id = store.AddMacro("M");
    MacroRecordRow press{0, id, 2, 0, vk, 0, ""};
    MacroRecordRow release{0, id, 3, 1, vk, 0, ""};
    EXPECT_TRUE(store.AddMacroRecords({press, release}));
    return id;
  }

  TempDir dir;
  ProfileStore store;
  VirtualKeyboardRig rig;
  FakeWorkerHost host;
  JobTable jobs;
  MacroPlayer player{store, rig.vhidev, rig.clock, nullptr};
  Worker worker{jobs, host, player, rig.clock};
  int macro_a = 0;
  int macro_b = 0;
};

TEST_F(WorkerTest, OneJobAndOneMacroPerCycle) {
  worker.EnqueueJob(5);
  worker.EnqueueJob(12);
  worker.EnqueueMacro(macro_a);
  worker.EnqueueMacro(macro_b);
  worker.RunCycle();
  EXPECT_EQ(host.TakeCalls(), (std::vector<std::string>{"disable", "job 5", "enable"}));
  EXPECT_EQ(rig.log.Keys(), (std::vector<std::string>{"30:1", "30:0"}));
  worker.RunCycle();
  EXPECT_EQ(host.TakeCalls(), std::vector<std::string>{"job 12"});
  EXPECT_EQ(rig.log.Keys().size(), 4u);
  worker.RunCycle();
  EXPECT_TRUE(host.TakeCalls().empty());
}

TEST_F(WorkerTest, WithoutAKeyboardDeviceJobsAreDroppedAndTheirWaitDialogsClosed) {
  host.attached = false;
  host.wait_dialog_open = true;
  worker.EnqueueJob(7);
  worker.EnqueueJob(2);
  worker.EnqueueJob(4);
  worker.EnqueueMacro(macro_a);
  const std::chrono::microseconds start = rig.clock.Now();
  worker.RunCycle();
  EXPECT_EQ(host.TakeCalls(), std::vector<std::string>{"close wait dialog"});
  EXPECT_EQ(rig.clock.Now() - start, std::chrono::milliseconds(100)) << "pause after closing";
  EXPECT_TRUE(rig.log.Keys().empty()) << "a dropped job ends the cycle";
  worker.RunCycle();
  EXPECT_EQ(host.TakeCalls(), std::vector<std::string>{"job 2"});
  EXPECT_EQ(rig.log.Keys().size(), 2u);
  worker.RunCycle();  // 4 has no entry: dropped like any device job, no dialog to close
  EXPECT_TRUE(host.TakeCalls().empty());

  host.attached = true;
  host.connected = false;
  worker.EnqueueJob(8);
  worker.RunCycle();
  EXPECT_EQ(host.TakeCalls(), std::vector<std::string>{"close wait dialog"});
}

TEST_F(WorkerTest, DeviceJobsRunWithTheWindowDisabledAndCloseTheirWaitDialog) {
  host.wait_dialog_open = true;
  worker.EnqueueJob(7);
  worker.EnqueueJob(4);
  worker.EnqueueJob(1);
  worker.EnqueueJob(1);
  for (int i = 0; i < 4; ++i) worker.RunCycle();
  EXPECT_EQ(host.TakeCalls(), (std::vector<std::string>{"disable", "job 7", "close wait dialog",
                                                        "enable", "disable", "enable", "job 1"}))
      << "job 1 runs once per run";
}

TEST_F(WorkerTest, StreamStepOnlyWhileNoJobWaits) {
  int frames = 0;
  worker.SetStreamStep([&frames] { ++frames; });
  host.stream = true;
  worker.EnqueueJob(12);
  worker.RunCycle();
  EXPECT_EQ(frames, 0);
  worker.RunCycle();
  EXPECT_EQ(frames, 1);
  host.attached = false;
  worker.RunCycle();
  EXPECT_EQ(frames, 1);
  host.attached = true;
  host.stream = false;
  worker.RunCycle();
  EXPECT_EQ(frames, 1);
}

TEST_F(WorkerTest, ThreadWakesForWorkAndSleepsWhenThereIsNone) {
  std::atomic<int> frames{0};
  worker.SetStreamStep([&frames] { ++frames; });
  ASSERT_TRUE(worker.Start());
  EXPECT_FALSE(worker.Start());
  worker.EnqueueJob(12);
  ASSERT_TRUE(host.WaitFor("job 12"));
  worker.EnqueueMacro(macro_b);
  ASSERT_TRUE(Eventually([&] { return rig.log.Keys().size() == 2; }));
  // Idle: no step runs, so the host is not even asked about streaming.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const int queries = host.stream_queries;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(host.stream_queries, queries);
  EXPECT_EQ(frames, 0);

  // Streaming: the window wakes the worker, which then steps every period.
  host.stream = true;
  worker.Wake();
  EXPECT_TRUE(Eventually([&] { return frames >= 3; }));
  EXPECT_TRUE(worker.Stop());
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_EQ(rig.log.Keys(), (std::vector<std::string>{"48:1", "48:0"}));
}

TEST_F(WorkerTest, DestroyingTheWorkerWaitsForAStepLongerThanTheStopWait) {
  std::atomic<bool> step_done{false};
  jobs.Set(3,
           {[&] {
              host.Log("job 3");
              std::this_thread::sleep_for(CThreadBasic::kStopWait + std::chrono::milliseconds(300));
              step_done = true;
            },
            false, false});
  auto long_worker = std::make_unique<Worker>(jobs, host, player, rig.clock);
  ASSERT_TRUE(long_worker->Start());
  long_worker->EnqueueJob(3);
  long_worker->EnqueueMacro(macro_a);
  ASSERT_TRUE(host.WaitFor("job 3"));
  long_worker.reset();
  EXPECT_TRUE(step_done) << "the step ended before the worker was gone";
  EXPECT_EQ(rig.log.Keys(), (std::vector<std::string>{"30:1", "30:0"}))
      << "the rest of the cycle ran on live members";
}

}  // namespace
