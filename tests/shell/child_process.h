// Runs the real program as a child process with its own environment, for
// the tests that need two instances: its exit code, its error output, and a
// bounded wait so that a hung child fails the test instead of the run.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& args,
               const std::map<std::string, std::string>& env) {
    int err[2], out[2];
    if (::pipe2(err, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return;
    m_stderr.fd = err[0];
    m_stdout.fd = out[0];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<std::string> env_strings;
    for (const auto& [key, value] : env) env_strings.push_back(key + "=" + value);
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    for (std::string& e : env_strings) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    if (::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
      m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(err[1]);
    ::close(out[1]);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() {
    if (m_pid > 0 && !m_exit_code) {
      ::kill(m_pid, SIGKILL);
      ::waitpid(m_pid, nullptr, 0);
    }
    for (const Output* o : {&m_stderr, &m_stdout}) {
      if (o->fd >= 0) ::close(o->fd);
    }
  }

  bool started() const { return m_pid > 0; }

  // The exit code (128 + signal for a killed child), or nothing when the
  // child still runs after `timeout`.
  std::optional<int> Wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_exit_code && m_pid > 0) {
      int status = 0;
      if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      if (std::chrono::steady_clock::now() > deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return m_exit_code;
  }

  void Signal(int signal) {
    if (m_pid > 0) ::kill(m_pid, signal);
  }

  // Everything the child wrote to each stream so far.
  std::string Stderr() { return Drain(m_stderr); }
  std::string Stdout() { return Drain(m_stdout); }

 private:
  struct Output {
    int fd = -1;
    std::string text;
  };

  static std::string Drain(Output& o) {
    if (o.fd >= 0) ::fcntl(o.fd, F_SETFL, O_NONBLOCK);
    char buffer[4096];
    ssize_t n;
    while (o.fd >= 0 && (n = ::read(o.fd, buffer, sizeof buffer)) > 0) {
      o.text.append(buffer, static_cast<std::size_t>(n));
    }
    return o.text;
  }

  pid_t m_pid = -1;
  Output m_stderr;
  Output m_stdout;
  std::optional<int> m_exit_code;
};
