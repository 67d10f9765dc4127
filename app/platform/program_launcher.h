// Starting a program file directly (no shell, no argument parsing) in a
// given working folder; used to run a downloaded installer.
#pragma once

#include <memory>
#include <string>

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // True when the program was started; it then runs on its own.
  virtual bool Start(const std::string& program_path, const std::string& working_dir) = 0;
};

// The real launcher, on GLib's process spawning.
std::unique_ptr<ProgramLauncher> MakeSpawnProgramLauncher();
