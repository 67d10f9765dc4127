// Running a helper program to its end: no shell, the arguments passed as they are.
#pragma once

#include <memory>
#include <string>
#include <vector>

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts argv[0] (searched in PATH when it has no slash) with the arguments that follow and
  // waits for it to end. True when it could be started, whatever its exit status.
  virtual bool Run(const std::vector<std::string>& argv) = 0;
};

// The real runner on posix_spawn.
std::unique_ptr<ProcessRunner> MakeSpawnProcessRunner();
