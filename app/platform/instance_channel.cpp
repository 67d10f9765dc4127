// Lock file and Unix socket of the single running instance.
#include "platform/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include "platform/unique_fd.h"

namespace {

// A command is one short line; a peer that sends nothing is dropped after this.
constexpr int kReadTimeoutMs = 500;
constexpr std::size_t kMaxCommandBytes = 64;

bool SocketAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool WaitFor(int fd, short events, int timeout_ms) {
  pollfd p{fd, events, 0};
  int r;
  do {
    r = ::poll(&p, 1, timeout_ms);
  } while (r < 0 && errno == EINTR);
  return r > 0;
}

// Reads up to a newline, the peer closing, or the timeout. The timeout is
// for the whole line: a peer trickling bytes must not hold the main loop.
std::string ReadLine(int fd, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  std::string line;
  char c;
  while (line.size() < kMaxCommandBytes) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !WaitFor(fd, POLLIN, static_cast<int>(left.count()))) break;
    const ssize_t n = ::recv(fd, &c, 1, 0);
    if (n <= 0 || c == '\n') break;
    line += c;
  }
  return line;
}

void SendAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n <= 0) return;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace

InstanceLock::Result InstanceLock::Acquire(const std::string& path,
                                           std::unique_ptr<InstanceLock>& lock) {
  lock.reset();
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (fd.Get() < 0) return Result::kFirst;
  if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    return errno == EWOULDBLOCK ? Result::kAnotherIsRunning : Result::kFirst;
  }
  lock.reset(new InstanceLock(fd.Release()));
  return Result::kFirst;
}

InstanceLock::~InstanceLock() {
  ::close(m_fd);
}

std::unique_ptr<InstanceServer> InstanceServer::Listen(const std::string& path) {
  sockaddr_un address;
  if (!SocketAddress(path, address)) return nullptr;
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (fd.Get() < 0) return nullptr;
  ::unlink(path.c_str());
  // The socket is created with no permissions for anyone else from the start.
  const mode_t old_mask = ::umask(0177);
  const int bound = ::bind(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::umask(old_mask);
  if (bound != 0 || ::chmod(path.c_str(), 0600) != 0 || ::listen(fd.Get(), 8) != 0) {
    ::unlink(path.c_str());
    return nullptr;
  }
  return std::unique_ptr<InstanceServer>(new InstanceServer(fd.Release(), path));
}

InstanceServer::~InstanceServer() {
  ::close(m_fd);
  ::unlink(m_path.c_str());
}

std::optional<std::string> InstanceServer::AcceptCommand() {
  UniqueFd peer(::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC));
  if (peer.Get() < 0) return std::nullopt;
  ucred credentials{};
  socklen_t length = sizeof credentials;
  if (::getsockopt(peer.Get(), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 ||
      credentials.uid != ::getuid()) {
    return std::nullopt;
  }
  std::string command = ReadLine(peer.Get(), kReadTimeoutMs);
  if (command.empty()) return std::nullopt;
  SendAll(peer.Get(), "ok\n");
  return command;
}

SendResult SendInstanceCommand(const std::string& path, std::string_view command, int timeout_ms) {
  sockaddr_un address;
  if (!SocketAddress(path, address)) return SendResult::kNoInstance;
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (fd.Get() < 0 ||
      ::connect(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    return SendResult::kNoInstance;
  }
  SendAll(fd.Get(), std::string(command) + "\n");
  return ReadLine(fd.Get(), timeout_ms) == "ok" ? SendResult::kDelivered : SendResult::kNoAnswer;
}
