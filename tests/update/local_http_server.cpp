// Starts the test server as a child process and reads back its port.
#include "update/local_http_server.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

LocalHttpServer::LocalHttpServer() {
  char root[] = "/tmp/tervane-http-XXXXXX";
  if (!::mkdtemp(root)) return;
  m_root = root;
  int out[2];
  if (::pipe(out) != 0) return;
  const std::string script = std::string(TERVANE_SOURCE_DIR) + "/tests/update/http_test_server.py";
  m_pid = ::fork();
  if (m_pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execlp("python3", "python3", script.c_str(), m_root.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  FILE* port_line = ::fdopen(out[0], "r");
  if (port_line) {
    if (std::fscanf(port_line, "%d", &m_port) != 1) m_port = 0;
    std::fclose(port_line);
  } else {
    ::close(out[0]);
  }
}

LocalHttpServer::~LocalHttpServer() {
  if (m_pid > 0) {
    ::kill(m_pid, SIGTERM);
    ::waitpid(m_pid, nullptr, 0);
  }
  if (!m_root.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
  }
}

std::string LocalHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(m_port) + "/" + path;
}

void LocalHttpServer::Put(const std::string& path, const std::string& bytes) const {
  const std::filesystem::path file = std::filesystem::path(m_root) / path;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}
