// The program as two real processes: a second start reaches the first,
// --quit and the termination signals run the exit sequence.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "child_process.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

class TwoProcesses : public testing::Test {
 protected:
  void SetUp() override {
    ::mkdir(m_dir.File("run").c_str(), 0700);
    m_env = {{"XDG_RUNTIME_DIR", m_dir.File("run")},
             {"XDG_CONFIG_HOME", m_dir.File("config")},
             {"XDG_DATA_HOME", m_dir.File("data")},
             {"HOME", m_dir.path()},
             {"LANG", "en_US.UTF-8"}};
  }

  std::unique_ptr<ChildProcess> Start(std::vector<std::string> args = {}) {
    args.insert(args.begin(), std::string(TERVANE_BIN_DIR) + "/tervane");
    return std::make_unique<ChildProcess>(args, m_env);
  }

  // The installed config.xml names the device "Tervane".
  std::string Socket() const { return m_dir.File("run/Tervane.sock"); }

  bool WaitForSocket(bool present) const {
    for (int i = 0; i < 500; ++i) {
      if (std::filesystem::exists(Socket()) == present) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

  // The first instance, up and serving its socket.
  std::unique_ptr<ChildProcess> StartFirst() {
    auto first = Start();
    EXPECT_TRUE(first->started());
    EXPECT_TRUE(WaitForSocket(true)) << first->Stderr();
    return first;
  }

  TempDir m_dir;
  std::map<std::string, std::string> m_env;
};

TEST_F(TwoProcesses, SecondStartAsksTheFirstToComeForwardThenQuitEndsIt) {
  auto first = StartFirst();
  auto second = Start();
  EXPECT_EQ(second->Wait(10s), 0);
  EXPECT_FALSE(first->Wait(0ms)) << "the first instance keeps running";
  for (int i = 0; i < 200 && first->Stderr().find("come forward") == std::string::npos; ++i) {
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_NE(first->Stderr().find("come forward"), std::string::npos);

  auto quit = Start({"--quit"});
  EXPECT_EQ(quit->Wait(10s), 0) << quit->Stderr();
  EXPECT_EQ(first->Wait(10s), 0) << "the exit sequence ends with code 0";
  EXPECT_FALSE(std::filesystem::exists(Socket()));

  auto restarted = StartFirst();
  EXPECT_FALSE(restarted->Wait(0ms)) << "the lock is free again";
}

TEST_F(TwoProcesses, WithoutALockFileTheSecondStartStillReachesTheFirst) {
  // A directory where the lock file belongs: no process can take the lock.
  ::mkdir(m_dir.File("run/Tervane.lock").c_str(), 0700);
  auto first = StartFirst();
  auto second = Start();
  EXPECT_EQ(second->Wait(10s), 0);
  auto quit = Start({"--quit"});
  EXPECT_EQ(quit->Wait(10s), 0) << quit->Stderr();
  EXPECT_EQ(first->Wait(10s), 0) << "the first instance kept its socket and took the quit";
}

TEST_F(TwoProcesses, SimulatedStartReportsWhatItFoundThenQuitEndsIt) {
  auto first = Start({"--simulate"});
  ASSERT_TRUE(first->started());
  std::string out;
  for (int i = 0; i < 1000 && (out = first->Stdout()).find("Ready;") == std::string::npos; ++i) {
    ASSERT_FALSE(first->Wait(10ms)) << "ended early:\n" << out << first->Stderr();
  }
  const std::string db = m_dir.File("data/Tervane Files/db/Tervane K201_data_v1.db");
  for (const std::string& line : {
           std::string("Configured keyboard model: Tervane K201 (device type 201)\n"),
           std::string("Configured keyboard model: Tervane K101 (device type 101)\n"),
           "Profile database: " + db + "\n",
           std::string("Keyboard found: Tervane K201 over USB (connection mode 0)\n"),
           std::string("Connected: Tervane K201 over USB (connection mode 0), firmware 1.06\n"),
       }) {
    EXPECT_NE(out.find(line), std::string::npos) << line << "---\n" << out;
  }
  EXPECT_TRUE(std::filesystem::is_regular_file(db));

  auto quit = Start({"--quit"});
  EXPECT_EQ(quit->Wait(10s), 0) << quit->Stderr();
  EXPECT_EQ(first->Wait(10s), 0) << first->Stderr();
}

TEST_F(TwoProcesses, TerminationSignalsRunTheExitSequence) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    auto first = StartFirst();
    first->Signal(signal);
    EXPECT_EQ(first->Wait(10s), 0) << "signal " << signal;
    EXPECT_TRUE(WaitForSocket(false));
  }
}

TEST_F(TwoProcesses, FirstStartChoosesTheLanguageAndPreparesTheDataFolder) {
  m_env["LANG"] = "zh_CN.UTF-8";
  auto first = StartFirst();
  EXPECT_NE(TempDir::Read(m_dir.File("config/Tervane/settings.ini")).find("LCID=2052"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(m_dir.File("data/Tervane Files/db")));
  first->Signal(SIGTERM);
  EXPECT_EQ(first->Wait(10s), 0);
}

TEST_F(TwoProcesses, CommandsThatNeedNoInstance) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {{"--version"}, 0, "Tervane 1.0.0\n", ""},
      {{"--help"}, 0, "Usage: tervane", ""},
      {{"--quit"}, 1, "", "Tervane is not running"},
      {{"--bogus"}, 2, "", "unknown option '--bogus'"},
  };
  for (const Case& c : cases) {
    auto child = Start(c.args);
    EXPECT_EQ(child->Wait(10s), c.exit_code) << c.args[0];
    EXPECT_NE(child->Stdout().find(c.out), std::string::npos) << child->Stdout();
    EXPECT_NE(child->Stderr().find(c.err), std::string::npos) << child->Stderr();
  }
}

}  // namespace
