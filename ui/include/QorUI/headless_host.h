// The headless host: windows are in-memory pictures, time is a virtual clock,
// input is injected, and what a window shows can be read back or saved as PNG.
// Tests and page renders use it; the dialogs are the same as on screen.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "QorUI/host.h"

class HeadlessTextEntry;

class HeadlessWindow : public NativeWindow {
 public:
  HeadlessWindow(const NativeWindowParams& params, NativeWindowClient* client,
                 class HeadlessHost& host);
  ~HeadlessWindow() override;

  void Show(int sw) override;
  bool IsVisible() const override { return m_visible; }
  bool IsIconic() const override { return m_iconic; }
  bool IsZoomed() const override { return m_zoomed; }
  void SetTitle(const std::string& title) override { m_title = title; }
  bool SetIcon(const std::string& path) override;
  CRect GetWindowRect() const override { return m_rect; }
  void SetWindowRect(const CRect& rect) override;
  void Invalidate(const CRect& client_rect) override;
  void SetEnabled(bool enabled) override { m_enabled = enabled; }
  bool IsEnabled() const override { return m_enabled; }
  void SetCursor(CursorKind cursor) override { m_cursor = cursor; }
  void SetCapture(bool capture) override { m_captured = capture; }
  void BeginMoveDrag(CPoint) override { ++m_move_drags; }
  void Activate() override;
  bool IsActive() const override;
  bool HasAlpha() const override { return m_params.alpha; }
  void SetAlpha(bool alpha) override {
    if (!m_shown) m_params.alpha = alpha;
  }
  std::unique_ptr<TextEntry> CreateTextEntry() override;

  // What tests look at.
  const NativeWindowParams& Params() const { return m_params; }
  const std::string& Title() const { return m_title; }
  const std::string& Icon() const { return m_icon; }
  CursorKind Cursor() const { return m_cursor; }
  bool IsCaptured() const { return m_captured; }
  int MoveDrags() const { return m_move_drags; }
  const CRect& Dirty() const { return m_dirty; }
  // The picture as last presented (after HeadlessHost::Pump).
  const Canvas& Screen() const { return m_screen; }
  const std::vector<HeadlessTextEntry*>& TextEntries() const { return m_entries; }
  NativeWindowClient* Client() const { return m_client; }

  // Sends the pending WM_PAINT and presents the result; false when nothing was dirty.
  bool PaintNow();
  void Forget(HeadlessTextEntry* entry);

 private:
  NativeWindowParams m_params;
  NativeWindowClient* m_client;
  HeadlessHost& m_host;
  std::string m_title;
  std::string m_icon;
  CRect m_rect;
  bool m_visible = false;
  bool m_shown = false;  // ever
  bool m_iconic = false;
  bool m_zoomed = false;
  bool m_enabled = true;
  bool m_captured = false;
  int m_move_drags = 0;
  CursorKind m_cursor = CursorKind::kArrow;
  CRect m_dirty;
  Canvas m_screen;
  std::vector<HeadlessTextEntry*> m_entries;
};

class HeadlessTextEntry : public TextEntry {
 public:
  explicit HeadlessTextEntry(HeadlessWindow& window) : m_window(&window) {}
  ~HeadlessTextEntry() override;

  void SetHandlers(Handlers handlers) override { m_handlers = std::move(handlers); }
  void SetRect(const CRect& rect) override { m_rect = rect; }
  void Show(bool show) override;
  bool IsVisible() const override { return m_visible; }
  void SetText(const std::string& text) override { m_text = text; }
  std::string GetText() const override { return m_text; }
  void SelectAll() override { m_all_selected = true; }
  void Focus() override { m_focused = m_visible; }
  bool HasFocus() const override { return m_focused; }
  void SetFont(const FontSpec& font) override { m_font = font; }
  void SetColors(ARGB text, ARGB background) override {
    m_text_color = text;
    m_back_color = background;
  }
  void SetMaxLength(int n) override { m_max_length = n; }
  void SetPasswordChar(char32_t ch) override { m_password = ch; }
  void SetReadOnly(bool read_only) override { m_read_only = read_only; }

  // The user's side: typing replaces the selection (or appends), then the
  // change handler runs; Blur takes the focus away.
  void Type(const std::string& text);
  void Blur();
  void PressReturn();
  void PressEscape();

  const CRect& Rect() const { return m_rect; }
  bool AllSelected() const { return m_all_selected; }
  const FontSpec& Font() const { return m_font; }
  int MaxLength() const { return m_max_length; }
  char32_t PasswordChar() const { return m_password; }
  bool ReadOnly() const { return m_read_only; }
  void Detach() { m_window = nullptr; }

 private:
  HeadlessWindow* m_window;
  Handlers m_handlers;
  CRect m_rect;
  bool m_visible = false;
  bool m_focused = false;
  bool m_all_selected = false;
  bool m_read_only = false;
  std::string m_text;
  FontSpec m_font;
  ARGB m_text_color = 0xFF000000;
  ARGB m_back_color = 0xFFFFFFFF;
  int m_max_length = 0;
  char32_t m_password = 0;
};

class HeadlessHost : public Host {
 public:
  HeadlessHost();
  ~HeadlessHost() override;

  std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowParams& params,
                                                   NativeWindowClient* client) override;
  void RunLoop(const std::function<bool()>& done) override;
  UINT AddTimer(UINT period_ms, std::function<void()> tick) override;
  void RemoveTimer(UINT id) override;
  CRect GetWorkArea(const CRect& near_rect) const override;
  CPoint GetCursorPos() const override { return m_cursor; }
  UINT GetModifiers() const override { return m_modifiers; }

  // --- driving it ---
  void SetWorkArea(const CRect& area) { m_work_area = area; }
  void SetModifiers(UINT modifiers) { m_modifiers = modifiers; }
  // Runs what was posted and paints what is dirty, until nothing is left.
  void Pump();
  // Moves the virtual clock, firing due timers in order and pumping after each.
  void AdvanceTime(UINT ms);
  std::uint64_t Now() const { return m_now; }
  // Called by a nested loop that has nothing left to do: return true after
  // doing something (injecting input, ...), false to stop waiting. Without it
  // the loop moves the clock on to the next timer, for at most ten minutes.
  void SetIdleHandler(std::function<bool()> handler) { m_idle = std::move(handler); }

  // Input, in client coordinates of the window; each call pumps afterwards.
  void MouseMove(HWND hwnd, CPoint pt, UINT flags = 0);
  void LButtonDown(HWND hwnd, CPoint pt);
  void LButtonUp(HWND hwnd, CPoint pt);
  void Click(HWND hwnd, CPoint pt);
  void DoubleClick(HWND hwnd, CPoint pt);
  void RightClick(HWND hwnd, CPoint pt);
  void Wheel(HWND hwnd, CPoint pt, int delta);
  void MouseLeave(HWND hwnd);
  void KeyDown(HWND hwnd, UINT vk);
  void KeyUp(HWND hwnd, UINT vk);
  void Char(HWND hwnd, char32_t ch);
  // The user activates a window (others are deactivated) or closes it.
  void ActivateWindow(HWND hwnd);
  void CloseWindow(HWND hwnd);
  void Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HeadlessWindow* Window(HWND hwnd) const;
  bool SavePng(HWND hwnd, const std::string& path) const;

  // For HeadlessWindow.
  void OnShown(HeadlessWindow* window, bool activate);
  void OnGone(HeadlessWindow* window);
  HeadlessWindow* Active() const { return m_active; }
  void SetActive(HeadlessWindow* window);

 protected:
  void Wake() override {}

 private:
  struct Timer {
    UINT period;
    std::uint64_t due;
    std::function<void()> tick;
  };
  bool FireNextTimer(std::uint64_t limit);

  std::vector<HeadlessWindow*> m_windows;
  HeadlessWindow* m_active = nullptr;
  std::map<UINT, Timer> m_timers;
  UINT m_next_timer = 1;
  std::uint64_t m_now = 0;
  CRect m_work_area{0, 0, 1920, 1040};
  CPoint m_cursor;
  UINT m_modifiers = 0;
  std::function<bool()> m_idle;
};
