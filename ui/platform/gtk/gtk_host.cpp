// GtkHost: loops are iterations of the default main context until their
// condition holds, so nested modal loops need no GMainLoop objects.
#include "platform/gtk/gtk_host.h"

#include "QorUI/gtk_host.h"
#include "platform/gtk/gtk_window.h"

std::unique_ptr<Host> CreateGtkHost() {
  // Absolute positions (popups, centring) and screen capture need X11;
  // XWayland provides it on Wayland desktops.
  gdk_set_allowed_backends("x11");
  if (!gtk_init_check(nullptr, nullptr)) return nullptr;
  return std::make_unique<GtkHost>();
}

namespace {
struct WakeSource {
  GSource base;
  GtkHost* host;
};
struct TimerRef {
  GtkHost* host;
  UINT id;
};
}  // namespace

GtkHost::GtkHost() {
  static GSourceFuncs funcs = {nullptr, nullptr, &GtkHost::OnWake, nullptr, nullptr, nullptr};
  m_wake.reset(g_source_new(&funcs, sizeof(WakeSource)));
  reinterpret_cast<WakeSource*>(m_wake.get())->host = this;
  g_source_set_ready_time(m_wake.get(), -1);
  g_source_attach(m_wake.get(), nullptr);
}

GtkHost::~GtkHost() {
  for (auto& [id, timer] : m_timers) g_source_remove(timer.source);
}

std::unique_ptr<NativeWindow> GtkHost::CreateNativeWindow(const NativeWindowParams& params,
                                                          NativeWindowClient* client) {
  if (!client) return nullptr;
  return std::make_unique<GtkNativeWindow>(*this, params, client);
}

void GtkHost::RunLoop(const std::function<bool()>& done) {
  RunPosted();
  while (!done() && !IsQuitRequested()) g_main_context_iteration(nullptr, TRUE);
}

gboolean GtkHost::OnWake(GSource* source, GSourceFunc, gpointer) {
  // Cleared before running, so a task posted meanwhile wakes the loop again.
  g_source_set_ready_time(source, -1);
  reinterpret_cast<WakeSource*>(source)->host->RunPosted();
  return G_SOURCE_CONTINUE;
}

void GtkHost::Wake() {
  g_source_set_ready_time(m_wake.get(), 0);
}

gboolean GtkHost::OnTimer(gpointer data) {
  auto* ref = static_cast<TimerRef*>(data);
  auto& timers = ref->host->m_timers;
  auto it = timers.find(ref->id);
  if (it == timers.end()) return G_SOURCE_REMOVE;
  auto tick = it->second.tick;  // the tick may remove its own timer
  tick();
  return G_SOURCE_CONTINUE;
}

UINT GtkHost::AddTimer(UINT period_ms, std::function<void()> tick) {
  const UINT id = m_next_timer++;
  auto* ref = new TimerRef{this, id};
  const guint source = g_timeout_add_full(G_PRIORITY_DEFAULT, period_ms, &GtkHost::OnTimer, ref,
                                          [](gpointer p) { delete static_cast<TimerRef*>(p); });
  if (source == 0) return 0;
  m_timers[id] = Timer{source, std::move(tick)};
  return id;
}

void GtkHost::RemoveTimer(UINT id) {
  auto it = m_timers.find(id);
  if (it == m_timers.end()) return;
  g_source_remove(it->second.source);
  m_timers.erase(it);
}

CRect GtkHost::GetWorkArea(const CRect& near_rect) const {
  GdkDisplay* display = gdk_display_get_default();
  const CPoint c = near_rect.CenterPoint();
  GdkMonitor* monitor = gdk_display_get_monitor_at_point(display, c.x, c.y);
  if (!monitor) monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) return CRect(0, 0, 1280, 720);
  GdkRectangle area;
  gdk_monitor_get_workarea(monitor, &area);
  return CRect(area.x, area.y, area.x + area.width, area.y + area.height);
}

CPoint GtkHost::GetCursorPos() const {
  GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
  GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
  if (!pointer) return CPoint();
  int x = 0, y = 0;
  gdk_device_get_position(pointer, nullptr, &x, &y);
  return CPoint(x, y);
}

void GtkHost::NoteModifiers(unsigned state) {
  UINT mods = 0;
  if (state & GDK_SHIFT_MASK) mods |= MK_SHIFT;
  if (state & GDK_CONTROL_MASK) mods |= MK_CONTROL;
  if (state & GDK_MOD1_MASK) mods |= MK_ALT;
  m_modifiers = mods;
}
