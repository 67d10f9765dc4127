// One native window on GTK: an undecorated GtkWindow holding a drawing area
// (the back buffer is presented there) under an overlay for text entries.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "QorUI/host.h"

class GtkHost;

class GtkNativeWindow : public NativeWindow {
 public:
  GtkNativeWindow(GtkHost& host, const NativeWindowParams& params, NativeWindowClient* client);
  ~GtkNativeWindow() override;

  void Show(int sw) override;
  bool IsVisible() const override;
  bool IsIconic() const override { return m_iconic; }
  bool IsZoomed() const override { return m_zoomed; }
  void SetTitle(const std::string& title) override;
  bool SetIcon(const std::string& path) override;
  CRect GetWindowRect() const override;
  void SetWindowRect(const CRect& rect) override;
  void Invalidate(const CRect& client_rect) override;
  void SetEnabled(bool enabled) override { m_enabled = enabled; }
  bool IsEnabled() const override { return m_enabled; }
  void SetCursor(CursorKind cursor) override;
  void SetCapture(bool capture) override { m_captured = capture; }
  void BeginMoveDrag(CPoint screen_point) override;
  void Activate() override;
  bool IsActive() const override;
  bool HasAlpha() const override { return m_alpha; }
  void SetAlpha(bool alpha) override;
  std::unique_ptr<TextEntry> CreateTextEntry() override;

  GtkWindow* Widget() const { return GTK_WINDOW(m_window); }

 private:
  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static gboolean OnButton(GtkWidget*, GdkEventButton* e, gpointer self);
  static gboolean OnMotion(GtkWidget*, GdkEventMotion* e, gpointer self);
  static gboolean OnScroll(GtkWidget*, GdkEventScroll* e, gpointer self);
  static gboolean OnCrossing(GtkWidget*, GdkEventCrossing* e, gpointer self);
  static gboolean OnKey(GtkWidget*, GdkEventKey* e, gpointer self);
  static gboolean OnConfigure(GtkWidget*, GdkEventConfigure* e, gpointer self);
  static gboolean OnFocus(GtkWidget*, GdkEventFocus* e, gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
  static gboolean OnWindowState(GtkWidget*, GdkEventWindowState* e, gpointer self);

  LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam);
  // The RGBA visual when alpha is wanted and a compositor runs, else the default.
  void ChooseVisual();
  bool TakesInput() const;
  WPARAM MouseFlags(unsigned state) const;

  GtkHost& m_host;
  NativeWindowParams m_params;
  NativeWindowClient* m_client;
  GtkWidget* m_window = nullptr;
  GtkWidget* m_overlay = nullptr;
  GtkWidget* m_area = nullptr;
  GtkWidget* m_fixed = nullptr;
  CRect m_rect;
  bool m_alpha = false;
  bool m_enabled = true;
  bool m_captured = false;
  bool m_iconic = false;
  bool m_zoomed = false;
  // The second press of a double click becomes one double-click message.
  guint32 m_last_press_time = 0;
  guint m_last_press_button = 0;
  CPoint m_last_press_point;
  double m_scroll_accumulated = 0;
};
