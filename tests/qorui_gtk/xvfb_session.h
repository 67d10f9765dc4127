// What the desktop tests share: a private Xvfb server, shell commands with a
// time limit, and turning the UI loop while such a command runs.
#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "QorUI/host.h"

inline bool HaveTool(const char* name) {
  const std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// Runs a shell command, 15 s at most, and returns what it printed.
inline std::string Output(const std::string& command) {
  std::string quoted;
  for (char c : command) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  const std::string bounded = "timeout 15 sh -c '" + quoted + "'";
  std::string out;
  if (FILE* p = popen(bounded.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

// An X server of our own: Xvfb picks a free display and reports it on a pipe.
// It lives as long as the test process (GTK keeps its display open to the end).
class Xvfb {
 public:
  bool Start() {
    int fds[2];
    if (pipe(fds) != 0) return false;
    m_pid = fork();
    if (m_pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives a test killed by its timeout
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      // Without -noreset the server resets when its last client leaves and
      // then writes its number again, to a pipe nobody reads any more.
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    // The number and its newline may come in separate writes; the pipe stays
    // open so that no late write of the server meets a closed pipe.
    std::string line;
    char c = 0;
    while (m_pid > 0 && line.size() < 16) {
      const ssize_t n = read(fds[0], &c, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0 || c == '\n') break;
      line += c;
    }
    if (line.empty()) return false;
    m_display = ":" + line;
    return true;
  }
  const std::string& Display() const { return m_display; }

 private:
  pid_t m_pid = -1;
  std::string m_display;
};

// One Xvfb for the whole test process, its display set in DISPLAY; null when
// it does not start. GTK opens the display once, so every test of a process
// must use the same server.
inline const Xvfb* SharedXvfb() {
  static Xvfb xvfb;
  static const bool started = [] {
    if (!xvfb.Start()) return false;
    setenv("DISPLAY", xvfb.Display().c_str(), 1);
    return true;
  }();
  return started ? &xvfb : nullptr;
}

// A compositing manager on the display in DISPLAY, for as long as the object lives.
class Compositor {
 public:
  Compositor() = default;
  Compositor(const Compositor&) = delete;
  Compositor& operator=(const Compositor&) = delete;
  ~Compositor() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
  bool Start() {
    m_pid = fork();
    if (m_pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      execlp("xcompmgr", "xcompmgr", static_cast<char*>(nullptr));
      _exit(127);
    }
    return m_pid > 0;
  }

 private:
  pid_t m_pid = -1;
};

// Runs `command` on a helper thread while the UI loop of `host` turns, until
// it has finished and `until` holds (10 s at most); `output` gets what it
// printed, without the last line break.
inline bool Drive(Host* host, const std::string& command, std::function<bool()> until = nullptr,
                  std::string* output = nullptr) {
  std::atomic<bool> finished{false};
  std::string out;
  std::thread worker([&] {
    out = Output(command);
    finished = true;
  });
  const UINT tick = host->AddTimer(10, [] {});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  host->RunLoop([&] {
    return (finished && (!until || until())) || std::chrono::steady_clock::now() > deadline;
  });
  host->RemoveTimer(tick);
  worker.join();
  while (!out.empty() && out.back() == '\n') out.pop_back();
  if (output) *output = out;
  return !until || until();
}

// An xdotool command clicking at (x, y) of the window `wid`.
inline std::string ClickAt(const std::string& wid, int x, int y) {
  return "xdotool mousemove --window " + wid + " " + std::to_string(x) + " " + std::to_string(y) +
         " click 1";
}
