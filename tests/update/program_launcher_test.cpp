// The real launcher: the file itself runs, in the folder given, with nothing
// in its name interpreted by a shell.
#include "platform/program_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

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
  const std::string program =
      dir.Write("Keyboard Software; touch injected.exe", "#!/bin/sh\ntouch started\n");
  ::chmod(program.c_str(), 0755);
  const auto launcher = MakeSpawnProgramLauncher();
  ASSERT_TRUE(launcher->Start(program, dir.path()));
  EXPECT_TRUE(WaitForFile(dir.File("started")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("injected.exe")));
  EXPECT_FALSE(launcher->Start(dir.File("missing.exe"), dir.path()));
}

}  // namespace
