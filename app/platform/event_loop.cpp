// EventLoop over GLib's default main context, so that the GTK windows added
// later share it and keep every watch registered here.
#include "platform/event_loop.h"

#include <glib-unix.h>
#include <glib.h>

#include <csignal>
#include <vector>

namespace {

class GlibEventLoop : public EventLoop {
 public:
  GlibEventLoop() : m_loop(g_main_loop_new(nullptr, FALSE)) {}
  ~GlibEventLoop() override {
    for (guint id : m_sources) g_source_remove(id);
    g_main_loop_unref(m_loop);
  }

  void WatchReadable(int fd, std::function<void()> on_readable) override {
    m_callbacks.push_back(std::make_unique<std::function<void()>>(std::move(on_readable)));
    m_sources.push_back(g_unix_fd_add(fd, G_IO_IN, &GlibEventLoop::OnFd, m_callbacks.back().get()));
  }

  void OnTerminationSignal(std::function<void()> handler) override {
    m_callbacks.push_back(std::make_unique<std::function<void()>>(std::move(handler)));
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
      m_sources.push_back(
          g_unix_signal_add(signal, &GlibEventLoop::OnSignal, m_callbacks.back().get()));
    }
  }

  void Run() override { g_main_loop_run(m_loop); }
  void Quit() override { g_main_loop_quit(m_loop); }

 private:
  static gboolean OnFd(gint, GIOCondition, gpointer data) {
    (*static_cast<std::function<void()>*>(data))();
    return G_SOURCE_CONTINUE;
  }
  static gboolean OnSignal(gpointer data) {
    (*static_cast<std::function<void()>*>(data))();
    return G_SOURCE_CONTINUE;
  }

  GMainLoop* m_loop;
  std::vector<std::unique_ptr<std::function<void()>>> m_callbacks;
  std::vector<guint> m_sources;
};

}  // namespace

std::unique_ptr<EventLoop> CreateMainEventLoop() {
  return std::make_unique<GlibEventLoop>();
}
