// The GTK clipboard adapter under a private Xvfb: a text set from a worker-like thread is read
// back, the calls being carried out on the thread that runs the GLib main loop.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "platform/clipboard.h"

namespace {

// An Xvfb on a display it picks itself; stopped with the object.
class PrivateXvfb {
 public:
  PrivateXvfb() {
    int ready[2];
    if (pipe(ready) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      close(ready[0]);
      const std::string fd = std::to_string(ready[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
             "640x480x24", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(ready[1]);
    // The number comes as digits and a line break, not always in one write.
    std::string number;
    char c = 0;
    while (m_pid > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (!number.empty()) m_display = ":" + number;
  }
  ~PrivateXvfb() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
  }
  const std::string& Display() const { return m_display; }

 private:
  pid_t m_pid = -1;
  std::string m_display;
};

TEST(GtkClipboard, TextSetFromAnotherThreadIsReadBack) {
  PrivateXvfb xvfb;
  if (xvfb.Display().empty()) GTEST_SKIP() << "needs Xvfb (Debian package xvfb)";
  setenv("DISPLAY", xvfb.Display().c_str(), 1);

  GMainLoop* loop = nullptr;
  bool ready = false;
  std::mutex lock;
  std::condition_variable started;
  std::thread window_thread([&] {
    g_main_context_acquire(g_main_context_default());
    const bool ok = gtk_init_check(nullptr, nullptr);
    {
      std::lock_guard guard(lock);
      loop = ok ? g_main_loop_new(nullptr, FALSE) : nullptr;
      ready = true;
    }
    started.notify_all();
    if (loop) g_main_loop_run(loop);
    g_main_context_release(g_main_context_default());
  });
  {
    std::unique_lock guard(lock);
    started.wait(guard, [&] { return ready; });
  }
  if (!loop) {
    window_thread.join();
    FAIL() << "GTK could not open " << xvfb.Display();
  }

  std::unique_ptr<Clipboard> clipboard = MakeGtkClipboard();
  EXPECT_TRUE(clipboard->SetText("typed by a key"));
  EXPECT_EQ(clipboard->GetText(), std::optional<std::string>("typed by a key"));
  EXPECT_TRUE(clipboard->SetText(""));
  EXPECT_EQ(clipboard->GetText().value_or(""), "");

  g_main_loop_quit(loop);
  window_thread.join();
  g_main_loop_unref(loop);
}

}  // namespace
