// GtkNativeWindow: GDK events become library messages; the back buffer the
// window answers WM_PAINT with is copied to the drawing area.
#include "platform/gtk/gtk_window.h"

#include <cstdlib>

#include "QorUI/window.h"
#include "framework/canvas_impl.h"
#include "platform/gtk/gtk_host.h"
#include "platform/gtk/gtk_keys.h"
#include "platform/gtk/gtk_text_entry.h"

namespace {
GtkWindow* OwnerWidget(HWND owner) {
  MWindow* w = MWindow::FromHandle(owner);
  auto* native = w ? dynamic_cast<GtkNativeWindow*>(w->GetNative()) : nullptr;
  return native ? native->Widget() : nullptr;
}

const char* CursorName(CursorKind cursor) {
  switch (cursor) {
    case CursorKind::kWait:
      return "wait";
    case CursorKind::kCross:
      return "crosshair";
    case CursorKind::kSizeWE:
      return "ew-resize";
    case CursorKind::kSizeNS:
      return "ns-resize";
    case CursorKind::kHand:
      return "pointer";
    case CursorKind::kHelp:
      return "help";
    case CursorKind::kArrow:
      break;
  }
  return "default";
}
}  // namespace

GtkNativeWindow::GtkNativeWindow(GtkHost& host, const NativeWindowParams& params,
                                 NativeWindowClient* client)
    : m_host(host), m_params(params), m_client(client), m_rect(params.rect) {
  const bool tip = params.kind == WindowKind::kTooltip;
  m_window = gtk_window_new(tip ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
  GtkWindow* w = GTK_WINDOW(m_window);
  gtk_window_set_decorated(w, FALSE);
  gtk_window_set_title(w, params.title.c_str());
  gtk_widget_set_app_paintable(m_window, TRUE);
  if (params.kind == WindowKind::kPopup) {
    gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_UTILITY);
    gtk_window_set_skip_taskbar_hint(w, TRUE);
    gtk_window_set_skip_pager_hint(w, TRUE);
    gtk_window_set_keep_above(w, TRUE);
  }
  if (tip) gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_TOOLTIP);
  if (GtkWindow* owner = OwnerWidget(params.owner)) gtk_window_set_transient_for(w, owner);
  ChooseVisual();
  gtk_window_set_default_size(w, std::max(m_rect.Width(), 1), std::max(m_rect.Height(), 1));
  gtk_window_move(w, m_rect.left, m_rect.top);

  m_overlay = gtk_overlay_new();
  m_area = gtk_drawing_area_new();
  m_fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(m_overlay), m_area);
  gtk_overlay_add_overlay(GTK_OVERLAY(m_overlay), m_fixed);
  gtk_overlay_set_overlay_pass_through(GTK_OVERLAY(m_overlay), m_fixed, TRUE);
  gtk_container_add(GTK_CONTAINER(m_window), m_overlay);
  gtk_widget_set_can_focus(m_area, TRUE);
  gtk_widget_add_events(m_area, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                    GDK_BUTTON_RELEASE_MASK | GDK_SCROLL_MASK |
                                    GDK_SMOOTH_SCROLL_MASK | GDK_LEAVE_NOTIFY_MASK |
                                    GDK_ENTER_NOTIFY_MASK);
  g_signal_connect(m_area, "draw", G_CALLBACK(&GtkNativeWindow::OnDraw), this);
  g_signal_connect(m_area, "button-press-event", G_CALLBACK(&GtkNativeWindow::OnButton), this);
  g_signal_connect(m_area, "button-release-event", G_CALLBACK(&GtkNativeWindow::OnButton), this);
  g_signal_connect(m_area, "motion-notify-event", G_CALLBACK(&GtkNativeWindow::OnMotion), this);
  g_signal_connect(m_area, "scroll-event", G_CALLBACK(&GtkNativeWindow::OnScroll), this);
  g_signal_connect(m_area, "leave-notify-event", G_CALLBACK(&GtkNativeWindow::OnCrossing), this);
  g_signal_connect(m_window, "key-press-event", G_CALLBACK(&GtkNativeWindow::OnKey), this);
  g_signal_connect(m_window, "key-release-event", G_CALLBACK(&GtkNativeWindow::OnKey), this);
  g_signal_connect(m_window, "configure-event", G_CALLBACK(&GtkNativeWindow::OnConfigure), this);
  g_signal_connect(m_window, "focus-in-event", G_CALLBACK(&GtkNativeWindow::OnFocus), this);
  g_signal_connect(m_window, "focus-out-event", G_CALLBACK(&GtkNativeWindow::OnFocus), this);
  g_signal_connect(m_window, "delete-event", G_CALLBACK(&GtkNativeWindow::OnDelete), this);
  g_signal_connect(m_window, "window-state-event", G_CALLBACK(&GtkNativeWindow::OnWindowState),
                   this);
  gtk_widget_show(m_area);
  gtk_widget_show(m_fixed);
  gtk_widget_show(m_overlay);
}

GtkNativeWindow::~GtkNativeWindow() {
  g_signal_handlers_disconnect_by_data(m_area, this);
  g_signal_handlers_disconnect_by_data(m_window, this);
  gtk_widget_destroy(m_window);
}

void GtkNativeWindow::ChooseVisual() {
  GdkScreen* screen = gtk_widget_get_screen(m_window);
  GdkVisual* rgba = m_params.alpha && gdk_screen_is_composited(screen)
                        ? gdk_screen_get_rgba_visual(screen)
                        : nullptr;
  gtk_widget_set_visual(m_window, rgba);  // null: the screen's default
  m_alpha = rgba != nullptr;
}

void GtkNativeWindow::SetAlpha(bool alpha) {
  // The visual is fixed once the window is realized (first shown).
  if (gtk_widget_get_realized(m_window)) return;
  m_params.alpha = alpha;
  ChooseVisual();
}

LRESULT GtkNativeWindow::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
  return m_client->OnNativeMessage(msg, wParam, lParam);
}

bool GtkNativeWindow::TakesInput() const {
  return m_enabled && m_params.kind != WindowKind::kTooltip;
}

WPARAM GtkNativeWindow::MouseFlags(unsigned state) const {
  WPARAM flags = 0;
  if (state & GDK_BUTTON1_MASK) flags |= MK_LBUTTON;
  if (state & GDK_BUTTON3_MASK) flags |= MK_RBUTTON;
  if (state & GDK_BUTTON2_MASK) flags |= MK_MBUTTON;
  if (state & GDK_SHIFT_MASK) flags |= MK_SHIFT;
  if (state & GDK_CONTROL_MASK) flags |= MK_CONTROL;
  return flags;
}

void GtkNativeWindow::Show(int sw) {
  GtkWindow* w = GTK_WINDOW(m_window);
  switch (sw) {
    case SW_HIDE:
      gtk_widget_hide(m_window);
      return;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      gtk_widget_show(m_window);
      gtk_window_iconify(w);
      return;
    case SW_SHOWMAXIMIZED:
      gtk_window_maximize(w);
      gtk_widget_show(m_window);
      return;
    case SW_RESTORE:
      gtk_window_deiconify(w);
      gtk_window_unmaximize(w);
      gtk_widget_show(m_window);
      return;
    case SW_SHOWNOACTIVATE:
      gtk_window_set_focus_on_map(w, FALSE);
      gtk_widget_show(m_window);
      return;
    default:
      gtk_window_set_focus_on_map(w, m_params.kind != WindowKind::kTooltip);
      gtk_widget_show(m_window);
      return;
  }
}

bool GtkNativeWindow::IsVisible() const {
  return gtk_widget_get_visible(m_window);
}

void GtkNativeWindow::SetTitle(const std::string& title) {
  gtk_window_set_title(GTK_WINDOW(m_window), title.c_str());
}

bool GtkNativeWindow::SetIcon(const std::string& path) {
  return gtk_window_set_icon_from_file(GTK_WINDOW(m_window), path.c_str(), nullptr) == TRUE;
}

CRect GtkNativeWindow::GetWindowRect() const {
  return m_rect;
}

void GtkNativeWindow::SetWindowRect(const CRect& rect) {
  const bool resized = rect.Size() != m_rect.Size();
  m_rect = rect;
  gtk_window_move(GTK_WINDOW(m_window), rect.left, rect.top);
  if (resized) {
    gtk_window_resize(GTK_WINDOW(m_window), std::max(rect.Width(), 1), std::max(rect.Height(), 1));
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
  }
}

void GtkNativeWindow::Invalidate(const CRect& r) {
  if (!r.IsRectEmpty()) gtk_widget_queue_draw_area(m_area, r.left, r.top, r.Width(), r.Height());
}

void GtkNativeWindow::SetCursor(CursorKind cursor) {
  GdkWindow* gdk = gtk_widget_get_window(m_area);
  if (!gdk) return;
  GdkCursor* c = gdk_cursor_new_from_name(gdk_window_get_display(gdk), CursorName(cursor));
  gdk_window_set_cursor(gdk, c);
  if (c) g_object_unref(c);
}

void GtkNativeWindow::BeginMoveDrag(CPoint p) {
  gtk_window_begin_move_drag(GTK_WINDOW(m_window), 1, p.x, p.y, gtk_get_current_event_time());
}

void GtkNativeWindow::Activate() {
  gtk_window_present_with_time(GTK_WINDOW(m_window), gtk_get_current_event_time());
}

bool GtkNativeWindow::IsActive() const {
  return gtk_window_is_active(GTK_WINDOW(m_window));
}

std::unique_ptr<TextEntry> GtkNativeWindow::CreateTextEntry() {
  return std::make_unique<GtkTextEntry>(m_fixed);
}

gboolean GtkNativeWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* w = static_cast<GtkNativeWindow*>(self);
  GdkRectangle clip;
  if (!gdk_cairo_get_clip_rectangle(cr, &clip)) return TRUE;
  PaintRequest request{CRect(clip.x, clip.y, clip.x + clip.width, clip.y + clip.height), nullptr};
  w->Send(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request));
  if (cairo_surface_t* surface = request.buffer ? SurfaceOf(*request.buffer) : nullptr) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  return TRUE;
}

gboolean GtkNativeWindow::OnButton(GtkWidget*, GdkEventButton* e, gpointer self) {
  auto* w = static_cast<GtkNativeWindow*>(self);
  w->m_host.NoteModifiers(e->state);
  if (!w->TakesInput() || e->type == GDK_2BUTTON_PRESS || e->type == GDK_3BUTTON_PRESS) return TRUE;
  const CPoint pt(static_cast<int>(e->x), static_cast<int>(e->y));
  const LPARAM lp = LParamFromPoint(pt);
  const bool press = e->type == GDK_BUTTON_PRESS;
  WPARAM flags = w->MouseFlags(e->state);
  UINT msg;
  if (press) {
    if (e->button == 1) flags |= MK_LBUTTON;
    if (e->button == 3) flags |= MK_RBUTTON;
    GtkSettings* settings = gtk_widget_get_settings(w->m_area);
    gint dbl_time = 400, dbl_distance = 5;
    g_object_get(settings, "gtk-double-click-time", &dbl_time, "gtk-double-click-distance",
                 &dbl_distance, nullptr);
    const bool dbl = e->button == w->m_last_press_button &&
                     e->time - w->m_last_press_time <= static_cast<guint32>(dbl_time) &&
                     std::abs(pt.x - w->m_last_press_point.x) <= dbl_distance &&
                     std::abs(pt.y - w->m_last_press_point.y) <= dbl_distance;
    // A third press starts a new pair.
    w->m_last_press_button = dbl ? 0 : e->button;
    w->m_last_press_time = e->time;
    w->m_last_press_point = pt;
    gtk_widget_grab_focus(w->m_area);
    if (e->button == 1)
      msg = dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    else if (e->button == 3)
      msg = dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
    else if (e->button == 2)
      msg = WM_MBUTTONDOWN;
    else
      return TRUE;
  } else {
    if (e->button == 1) flags &= ~static_cast<WPARAM>(MK_LBUTTON);
    if (e->button == 3) flags &= ~static_cast<WPARAM>(MK_RBUTTON);
    if (e->button == 1)
      msg = WM_LBUTTONUP;
    else if (e->button == 3)
      msg = WM_RBUTTONUP;
    else if (e->button == 2)
      msg = WM_MBUTTONUP;
    else
      return TRUE;
  }
  w->Send(msg, flags, lp);
  return TRUE;
}

gboolean GtkNativeWindow::OnMotion(GtkWidget*, GdkEventMotion* e, gpointer self) {
  auto* w = static_cast<GtkNativeWindow*>(self);
  w->m_host.NoteModifiers(e->state);
  if (!w->TakesInput()) return TRUE;
  const CPoint pt(static_cast<int>(e->x), static_cast<int>(e->y));
  w->Send(WM_MOUSEMOVE, w->MouseFlags(e->state), LParamFromPoint(pt));
  return TRUE;
}

gboolean GtkNativeWindow::OnScroll(GtkWidget*, GdkEventScroll* e, gpointer self) {
  auto* w = static_cast<GtkNativeWindow*>(self);
  if (!w->TakesInput()) return TRUE;
  int delta = 0;
  switch (e->direction) {
    case GDK_SCROLL_UP:
      delta = static_cast<int>(WHEEL_DELTA);
      break;
    case GDK_SCROLL_DOWN:
      delta = -static_cast<int>(WHEEL_DELTA);
      break;
    case GDK_SCROLL_SMOOTH: {
      // Touchpads scroll in fractions: whole notches are passed on.
      w->m_scroll_accumulated += e->delta_y;
      const int notches = static_cast<int>(w->m_scroll_accumulated);
      w->m_scroll_accumulated -= notches;
      delta = -notches * static_cast<int>(WHEEL_DELTA);
      break;
    }
    default:
      return TRUE;
  }
  if (delta == 0) return TRUE;
  const CPoint pt(static_cast<int>(e->x), static_cast<int>(e->y));
  w->Send(WM_MOUSEWHEEL, MAKEWPARAM(static_cast<unsigned>(w->MouseFlags(e->state)), delta),
          LParamFromPoint(pt));
  return TRUE;
}

gboolean GtkNativeWindow::OnCrossing(GtkWidget*, GdkEventCrossing* e, gpointer self) {
  auto* w = static_cast<GtkNativeWindow*>(self);
  if (e->detail != GDK_NOTIFY_INFERIOR && w->TakesInput()) w->Send(WM_MOUSELEAVE, 0, 0);
  return FALSE;
}

gboolean GtkNativeWindow::OnKey(GtkWidget*, GdkEventKey* e, gpointer self) {
  auto* w = static_cast<GtkNativeWindow*>(self);
  w->m_host.NoteModifiers(e->state);
  // Keys typed into a text entry are the entry's.
  if (GTK_IS_ENTRY(gtk_window_get_focus(GTK_WINDOW(w->m_window)))) return FALSE;
  if (!w->TakesInput()) return TRUE;
  const UINT code = KeyCodeFromKeyval(e->keyval);
  const bool alt = (e->state & GDK_MOD1_MASK) != 0;
  if (e->type == GDK_KEY_PRESS) {
    if (code) w->Send(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, code, 1);
    const gunichar ch = gdk_keyval_to_unicode(e->keyval);
    if (ch && !(e->state & GDK_CONTROL_MASK) && !alt) w->Send(WM_CHAR, ch, 1);
  } else if (code) {
    w->Send(alt ? WM_SYSKEYUP : WM_KEYUP, code, 1);
  }
  return TRUE;
}

gboolean GtkNativeWindow::OnConfigure(GtkWidget*, GdkEventConfigure* e, gpointer self) {
  auto* w = static_cast<GtkNativeWindow*>(self);
  const CRect rect(e->x, e->y, e->x + e->width, e->y + e->height);
  const bool resized = rect.Size() != w->m_rect.Size();
  w->m_rect = rect;
  if (resized) w->Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
  return FALSE;
}

gboolean GtkNativeWindow::OnFocus(GtkWidget*, GdkEventFocus* e, gpointer self) {
  static_cast<GtkNativeWindow*>(self)->Send(WM_NCACTIVATE, e->in ? 1 : 0, 0);
  return FALSE;
}

gboolean GtkNativeWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  // The window manager's close: the window decides (WM_CLOSE destroys it).
  static_cast<GtkNativeWindow*>(self)->Send(WM_CLOSE, 0, 0);
  return TRUE;
}

gboolean GtkNativeWindow::OnWindowState(GtkWidget*, GdkEventWindowState* e, gpointer self) {
  auto* w = static_cast<GtkNativeWindow*>(self);
  w->m_iconic = (e->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
  w->m_zoomed = (e->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
  if (e->changed_mask & GDK_WINDOW_STATE_ICONIFIED)
    w->Send(WM_SIZE, w->m_iconic ? SIZE_MINIMIZED : SIZE_RESTORED,
            MAKELPARAM(w->m_rect.Width(), w->m_rect.Height()));
  return FALSE;
}
