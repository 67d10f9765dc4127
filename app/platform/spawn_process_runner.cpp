// Runs a program with posix_spawnp and waits for it; the child inherits only the standard
// descriptors (everything else the program opens is close-on-exec).
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/process_runner.h"

extern char** environ;

namespace {

class SpawnProcessRunner final : public ProcessRunner {
 public:
  bool Run(const std::vector<std::string>& argv) override {
    if (argv.empty() || argv[0].empty()) return false;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<ProcessRunner> MakeSpawnProcessRunner() {
  return std::make_unique<SpawnProcessRunner>();
}
