// One running instance per device name: an flock'ed lock file, and a Unix
// socket beside it (mode 0600) on which the running instance takes short
// text commands ("activate", "quit") from later starts.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class InstanceLock {
 public:
  enum class Result { kFirst, kAnotherIsRunning };

  // kAnotherIsRunning when another process holds the lock. A lock file that
  // cannot be created at all counts as kFirst (with no lock held), so a
  // broken runtime folder never keeps the program from starting.
  static Result Acquire(const std::string& path, std::unique_ptr<InstanceLock>& lock);

  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

 private:
  explicit InstanceLock(int fd) : m_fd(fd) {}
  int m_fd;
};

class InstanceServer {
 public:
  // Listens on `path`, replacing a socket file left by a process that died
  // (the caller holds the lock, so no live instance owns it). Null on failure.
  static std::unique_ptr<InstanceServer> Listen(const std::string& path);

  InstanceServer(const InstanceServer&) = delete;
  InstanceServer& operator=(const InstanceServer&) = delete;
  // Closes the socket and removes its file.
  ~InstanceServer();

  // The listening socket, for the event loop to watch.
  int fd() const { return m_fd; }

  // Accepts one waiting connection of this user, reads its command line
  // (waiting at most a short while) and answers "ok". Nothing when no
  // connection was waiting or it sent no command.
  std::optional<std::string> AcceptCommand();

 private:
  InstanceServer(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
  int m_fd;
  std::string m_path;
};

enum class SendResult { kDelivered, kNoInstance, kNoAnswer };

// Sends one command and waits up to `timeout_ms` for the answer.
SendResult SendInstanceCommand(const std::string& path, std::string_view command, int timeout_ms);
