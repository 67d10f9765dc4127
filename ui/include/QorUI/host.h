// The window host: what the library needs from a windowing system. One host
// is installed at a time (GTK for the program, headless for tests and page
// renders); the same dialog code runs on either. Once its windows are gone a
// host may be replaced by a new one, of either kind, any number of times.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "QorUI/canvas.h"
#include "QorUI/messages.h"
#include "QorUI/types.h"

enum class WindowKind {
  kNormal,   // a dialog: taskbar entry, takes focus
  kPopup,    // menus and drop-downs: no taskbar entry, closes on deactivation
  kTooltip,  // never takes focus or input
};

enum class CursorKind { kArrow, kWait, kCross, kSizeWE, kSizeNS, kHand, kHelp };

// Modifier bit beside MK_SHIFT and MK_CONTROL in Host::GetModifiers.
constexpr UINT MK_ALT = 0x0020;

struct NativeWindowParams {
  WindowKind kind = WindowKind::kNormal;
  CRect rect;  // screen coordinates
  std::string title;
  HWND owner = 0;
  bool alpha = false;  // per-pixel alpha wanted (layered window)
};

// The receiving side of a native window: every event arrives as a message.
class NativeWindowClient {
 public:
  virtual LRESULT OnNativeMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~NativeWindowClient() = default;
};

// A native single-line text field laid over a window (the edit control's
// caret, selection, clipboard and input methods come from it).
class TextEntry {
 public:
  struct Handlers {
    std::function<void()> changed;    // text changed by the user
    std::function<void()> focus_out;  // lost the keyboard focus
    std::function<void()> activate;   // Return pressed
    std::function<void()> cancel;     // Escape pressed
  };
  virtual ~TextEntry() = default;
  virtual void SetHandlers(Handlers handlers) = 0;
  virtual void SetRect(const CRect& client_rect) = 0;
  virtual void Show(bool show) = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string GetText() const = 0;
  virtual void SelectAll() = 0;
  virtual void Focus() = 0;
  virtual bool HasFocus() const = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  virtual void SetColors(ARGB text, ARGB background) = 0;
  virtual void SetMaxLength(int code_points) = 0;  // 0: no limit
  virtual void SetPasswordChar(char32_t ch) = 0;   // 0: plain text
  virtual void SetReadOnly(bool read_only) = 0;
};

class NativeWindow {
 public:
  // Destroys the native window; no message follows.
  virtual ~NativeWindow() = default;
  virtual void Show(int sw) = 0;
  virtual bool IsVisible() const = 0;
  virtual bool IsIconic() const = 0;
  virtual bool IsZoomed() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // The window's icon from a picture file; false when it cannot be read.
  virtual bool SetIcon(const std::string& path) = 0;
  virtual CRect GetWindowRect() const = 0;  // screen coordinates
  // Moves and sizes; a new size arrives as WM_SIZE.
  virtual void SetWindowRect(const CRect& rect) = 0;
  // Schedules a WM_PAINT for the client area.
  virtual void Invalidate(const CRect& client_rect) = 0;
  // A disabled window takes no input.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void SetCursor(CursorKind cursor) = 0;
  virtual void SetCapture(bool capture) = 0;
  // Lets the user move the window with the pressed left button.
  virtual void BeginMoveDrag(CPoint screen_point) = 0;
  // Raises the window and gives it the focus.
  virtual void Activate() = 0;
  virtual bool IsActive() const = 0;
  virtual bool HasAlpha() const = 0;
  // Asks for per-pixel alpha (or drops it). Only a window never shown yet
  // changes: a shown one keeps the visual it was first shown with.
  virtual void SetAlpha(bool alpha) = 0;
  virtual std::unique_ptr<TextEntry> CreateTextEntry() = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  // The installed host, or null. Install replaces it (UI thread, no windows
  // open); tasks posted to the old host and not yet run are dropped with it.
  static Host* Current();
  static void Install(std::unique_ptr<Host> host);

  virtual std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowParams& params,
                                                           NativeWindowClient* client) = 0;
  // Runs the UI loop (nested calls allowed) until `done` is true or a quit was
  // requested.
  virtual void RunLoop(const std::function<bool()>& done) = 0;
  // A repeating timer on the UI thread; returns its id (never 0), 0 on failure.
  virtual UINT AddTimer(UINT period_ms, std::function<void()> tick) = 0;
  virtual void RemoveTimer(UINT id) = 0;
  // The usable area of the monitor nearest the rectangle (screen coordinates).
  virtual CRect GetWorkArea(const CRect& near_rect) const = 0;
  virtual CPoint GetCursorPos() const = 0;
  // MK_SHIFT, MK_CONTROL and MK_ALT as last seen in an input event.
  virtual UINT GetModifiers() const = 0;

  // Thread-safe: runs `task` on the UI thread, in posting order.
  void Post(std::function<void()> task);
  // Thread-safe: every running loop ends, and loops started later return at once.
  void PostQuit(int code);
  bool IsQuitRequested() const;
  int GetQuitCode() const;
  void ClearQuit();

 protected:
  // Runs what was posted so far; hosts call it on the UI thread after Wake.
  void RunPosted();
  bool HasPosted() const;
  // Thread-safe: makes the UI loop call RunPosted soon.
  virtual void Wake() = 0;

 private:
  mutable std::mutex m_posted_lock;  // guards m_posted, m_quit, m_quit_code
  std::deque<std::function<void()>> m_posted;
  bool m_quit = false;
  int m_quit_code = 0;
};
