// The program's main loop: the GLib main context that the windows run on
// later. Until then it serves the single-instance socket and the
// termination signals.
#pragma once

#include <functional>
#include <memory>

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Calls `on_readable` on the loop's thread whenever `fd` can be read.
  virtual void WatchReadable(int fd, std::function<void()> on_readable) = 0;
  // Calls `handler` on the loop's thread for SIGINT, SIGTERM and SIGHUP
  // instead of letting them kill the process.
  virtual void OnTerminationSignal(std::function<void()> handler) = 0;
  // Runs until Quit.
  virtual void Run() = 0;
  virtual void Quit() = 0;
};

// The loop of GLib's default main context.
std::unique_ptr<EventLoop> CreateMainEventLoop();
