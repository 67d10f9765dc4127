// Private desktop servers for tests of the real back ends: a PulseAudio server
// with a null sink in its own runtime folder, and an Xvfb screen.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A child process, stopped (SIGTERM, then waited for) when the object goes.
class ChildProcess {
 public:
  // `fd3`, when given, becomes the child's descriptor 3.
  static std::optional<ChildProcess> Spawn(const std::vector<std::string>& argv, int fd3 = -1);
  // Runs to completion; true on exit status 0.
  static bool Run(const std::vector<std::string>& argv);

  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ~ChildProcess();

  void Stop();
  bool WaitExit(std::chrono::milliseconds timeout);

 private:
  explicit ChildProcess(pid_t pid) : m_pid(pid) {}
  pid_t m_pid = -1;
};

bool ProgramExists(const std::string& name);

// Points this process's libpulse at the private server through PULSE_SERVER.
class PrivatePulse {
 public:
  PrivatePulse();
  ~PrivatePulse();
  PrivatePulse(const PrivatePulse&) = delete;
  PrivatePulse& operator=(const PrivatePulse&) = delete;

  bool Start();
  void Stop();
  bool Pactl(const std::vector<std::string>& args);

  // Plays `seconds` of a stereo sine on the default sink, in the background.
  std::optional<ChildProcess> PlaySine(double hz, double seconds);

 private:
  std::filesystem::path m_dir;
  std::optional<ChildProcess> m_server;
};

class PrivateXvfb {
 public:
  // Starts a screen of the given size and points $DISPLAY at it.
  bool Start(int width, int height);
  // Shows a binary PPM picture as the root window's background.
  void ShowPicture(const std::filesystem::path& ppm);

 private:
  std::optional<ChildProcess> m_server;
  std::string m_display;
};
