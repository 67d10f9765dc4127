// GtkHost: the GLib main loop, timers, the thread-safe task queue's wake-up,
// monitors and pointer state on GTK 3 / X11.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <map>
#include <memory>

#include "QorUI/host.h"

class GtkHost : public Host {
 public:
  GtkHost();
  ~GtkHost() override;

  std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowParams& params,
                                                   NativeWindowClient* client) override;
  void RunLoop(const std::function<bool()>& done) override;
  UINT AddTimer(UINT period_ms, std::function<void()> tick) override;
  void RemoveTimer(UINT id) override;
  CRect GetWorkArea(const CRect& near_rect) const override;
  CPoint GetCursorPos() const override;
  UINT GetModifiers() const override { return m_modifiers; }

  void NoteModifiers(unsigned gdk_state);

 protected:
  void Wake() override;

 private:
  struct Timer {
    guint source;
    std::function<void()> tick;
  };
  static gboolean OnTimer(gpointer data);
  static gboolean OnWake(GSource* source, GSourceFunc, gpointer);

  struct SourceDeleter {
    void operator()(GSource* source) const {
      g_source_destroy(source);
      g_source_unref(source);
    }
  };

  // Made ready by Wake from any thread; destroyed with the host, so no wake-up
  // of this host can reach a later one.
  std::unique_ptr<GSource, SourceDeleter> m_wake;

  std::map<UINT, Timer> m_timers;
  UINT m_next_timer = 1;
  UINT m_modifiers = 0;
};
