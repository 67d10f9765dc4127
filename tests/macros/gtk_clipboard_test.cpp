// The GTK clipboard adapter under a private Xvfb: a text set from a worker-like thread is read
// back, the calls being carried out on the thread that runs the GLib main loop, and an empty
// clipboard is told from one holding an image.
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

  using Kind = ClipboardContent::Kind;
  std::unique_ptr<Clipboard> clipboard = MakeGtkClipboard();
  EXPECT_EQ(clipboard->Read(), (ClipboardContent{Kind::kNothing, {}}));
  EXPECT_TRUE(clipboard->SetText("typed by a key"));
  EXPECT_EQ(clipboard->Read(), (ClipboardContent{Kind::kText, "typed by a key"}));
  EXPECT_TRUE(clipboard->SetText(""));
  EXPECT_EQ(clipboard->Read(), (ClipboardContent{Kind::kText, ""}));

  // An image, put there by the window thread as another program would.
  g_main_context_invoke(
      nullptr,
      [](gpointer) -> gboolean {
        GdkPixbuf* image = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 2, 2);
        gtk_clipboard_set_image(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), image);
        g_object_unref(image);
        return G_SOURCE_REMOVE;
      },
      nullptr);
  EXPECT_EQ(clipboard->Read().kind, Kind::kOther);

  g_main_loop_quit(loop);
  window_thread.join();
  g_main_loop_unref(loop);
}

}  // namespace
