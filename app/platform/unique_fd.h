// An owned POSIX file descriptor, closed when the owner goes.
#pragma once

#include <unistd.h>

#include <utility>

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_fd(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_fd, -1));
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int Get() const { return m_fd; }
  explicit operator bool() const { return m_fd >= 0; }

  // Gives the descriptor up without closing it.
  int Release() { return std::exchange(m_fd, -1); }

  // Closes now and reports whether the close succeeded (a write error may
  // only show here).
  bool Close() {
    const int fd = std::exchange(m_fd, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  void Reset(int fd = -1) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = fd;
  }

  int m_fd = -1;
};
