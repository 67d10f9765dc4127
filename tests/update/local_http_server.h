// A local HTTP server for the update tests: the Python server beside this
// file, started on 127.0.0.1 with a fresh folder to serve, stopped with the
// object.
#pragma once

#include <sys/types.h>

#include <string>

class LocalHttpServer {
 public:
  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  bool Running() const { return m_port > 0; }
  // "http://127.0.0.1:<port>/" followed by `path`.
  std::string Url(const std::string& path = "") const;
  // Places a file at `path` (below the served folder), making its folders.
  void Put(const std::string& path, const std::string& bytes) const;
  const std::string& Root() const { return m_root; }

 private:
  std::string m_root;
  pid_t m_pid = -1;
  int m_port = 0;
};
