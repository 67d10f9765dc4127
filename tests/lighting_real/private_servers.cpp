// Starting and stopping the private servers of the real back-end tests.
#include "private_servers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <thread>

extern char** environ;

namespace {

std::vector<char*> Argv(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

template <typename Done>
bool WaitUntil(Done done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace

std::optional<ChildProcess> ChildProcess::Spawn(const std::vector<std::string>& args, int fd3) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const int null_fd = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null_fd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, null_fd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, null_fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, null_fd, STDERR_FILENO);
  }
  if (fd3 >= 0) posix_spawn_file_actions_adddup2(&actions, fd3, 3);
  pid_t pid = -1;
  std::vector<char*> argv = Argv(args);
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (null_fd >= 0) close(null_fd);
  if (rc != 0) return std::nullopt;
  return ChildProcess(pid);
}

bool ChildProcess::Run(const std::vector<std::string>& argv) {
  std::optional<ChildProcess> child = Spawn(argv);
  if (!child) return false;
  int status = 0;
  const pid_t pid = child->m_pid;
  child->m_pid = -1;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : m_pid(other.m_pid) {
  other.m_pid = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Stop();
    m_pid = other.m_pid;
    other.m_pid = -1;
  }
  return *this;
}

ChildProcess::~ChildProcess() {
  Stop();
}

void ChildProcess::Stop() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGTERM);
  if (!WaitExit(std::chrono::seconds(3))) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
  m_pid = -1;
}

bool ChildProcess::WaitExit(std::chrono::milliseconds timeout) {
  if (m_pid <= 0) return true;
  return WaitUntil([this] { return waitpid(m_pid, nullptr, WNOHANG) == m_pid; }, timeout);
}

bool ProgramExists(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  for (std::size_t start = 0; start <= dirs.size();) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    if (access((dirs.substr(start, end - start) + "/" + name).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

PrivatePulse::PrivatePulse() {
  char pattern[] = "/tmp/tervane-pulse-XXXXXX";
  if (mkdtemp(pattern)) m_dir = pattern;
  setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
  setenv("HOME", m_dir.c_str(), 1);
  setenv("PULSE_SERVER", ("unix:" + (m_dir / "pulse" / "native").string()).c_str(), 1);
}

PrivatePulse::~PrivatePulse() {
  Stop();
  std::error_code ignored;
  std::filesystem::remove_all(m_dir, ignored);
}

bool PrivatePulse::Start() {
  const std::filesystem::path socket = m_dir / "pulse" / "native";
  std::error_code ignored;
  std::filesystem::remove(socket, ignored);
  m_server = ChildProcess::Spawn({"pulseaudio", "--system=false", "--exit-idle-time=-1", "-n",
                                  "--load=module-null-sink", "--load=module-native-protocol-unix",
                                  "--log-target=file:" + (m_dir / "pa.log").string()});
  if (!m_server) return false;
  return WaitUntil([&] { return std::filesystem::exists(socket) && Pactl({"info"}); },
                   std::chrono::seconds(10));
}

void PrivatePulse::Stop() {
  m_server.reset();
}

bool PrivatePulse::Pactl(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"pactl"};
  argv.insert(argv.end(), args.begin(), args.end());
  return ChildProcess::Run(argv);
}

std::optional<ChildProcess> PrivatePulse::PlaySine(double hz, double seconds) {
  const std::filesystem::path file = m_dir / "sine.raw";
  {
    std::ofstream out(file, std::ios::binary);
    const int frames = static_cast<int>(48000 * seconds);
    for (int i = 0; i < frames; ++i) {
      const float v = static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * hz * i / 48000.0));
      out.write(reinterpret_cast<const char*>(&v), sizeof v);
      out.write(reinterpret_cast<const char*>(&v), sizeof v);
    }
  }
  return ChildProcess::Spawn({"pacat", "--playback", "--raw", "--format=float32le", "--rate=48000",
                              "--channels=2", file.string()});
}

bool PrivateXvfb::Start(int width, int height) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  m_server =
      ChildProcess::Spawn({"Xvfb", "-displayfd", "3", "-noreset", "-nolisten", "tcp", "-screen",
                           "0", std::to_string(width) + "x" + std::to_string(height) + "x24"},
                          fds[1]);
  close(fds[1]);
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (m_server && poll(&p, 1, 10000) == 1) {
    char c;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (number.empty()) return false;
  m_display = ":" + number;
  setenv("DISPLAY", m_display.c_str(), 1);
  return true;
}

void PrivateXvfb::ShowPicture(const std::filesystem::path& ppm) {
  // ImageMagick sets the root background and exits; its status says nothing
  // useful, so the tests judge by the captured pixels.
  ChildProcess::Run({"display", "-window", "root", ppm.string()});
}
