// The real launcher: the file itself runs, in the folder given, with nothing
// in its name interpreted by a shell.
#include "platform/program_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "update/temp_dir.h"

namespace {

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 500; ++i) {
    if (std::filesystem::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(SpawnProgramLauncher, RunsTheFileDirectlyInItsFolder) {
  TempDir dir;
  const std::string program = dir / "Keyboard Software; touch injected.exe";
  std::ofstream(program) << "#!/bin/sh\ntouch started\n";
  ::chmod(program.c_str(), 0755);
  const auto launcher = MakeSpawnProgramLauncher();
  ASSERT_TRUE(launcher->Start(program, dir.Path()));
  EXPECT_TRUE(WaitForFile(dir / "started"));
  EXPECT_FALSE(std::filesystem::exists(dir / "injected.exe"));
  EXPECT_FALSE(launcher->Start(dir / "missing.exe", dir.Path()));
}

}  // namespace
