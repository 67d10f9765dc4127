// MWindow: the thin wrapper of one native top-level window. Messages from the
// host, from SendMessageW and from the thread-safe PostMessage all reach
// OnWindowMessage on the UI thread.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "QorUI/host.h"
#include "QorUI/messages.h"

enum : DWORD {
  WS_OVERLAPPED = 0x00000000,
  WS_POPUP = 0x80000000,
  WS_CHILD = 0x40000000,
  WS_MINIMIZE = 0x20000000,
  WS_VISIBLE = 0x10000000,
  WS_DISABLED = 0x08000000,
  WS_CLIPSIBLINGS = 0x04000000,
  WS_CLIPCHILDREN = 0x02000000,
  WS_MAXIMIZE = 0x01000000,
  WS_CAPTION = 0x00C00000,
  WS_SYSMENU = 0x00080000,
  WS_THICKFRAME = 0x00040000,
  WS_MINIMIZEBOX = 0x00020000,
  WS_MAXIMIZEBOX = 0x00010000,
  WS_EX_TOPMOST = 0x00000008,
  WS_EX_TOOLWINDOW = 0x00000080,
  WS_EX_LAYERED = 0x00080000,
};

// What ShowModal answers for a window that was never created.
constexpr UINT kModalNoWindow = 0xFFFFFFFF;

class MWindow : private NativeWindowClient {
 public:
  MWindow();
  virtual ~MWindow();
  MWindow(const MWindow&) = delete;
  MWindow& operator=(const MWindow&) = delete;

  virtual const char* GetWindowClassName() const { return "QorClient"; }
  virtual const char* GetSuperClassName() const { return nullptr; }
  virtual int ShowWindow(int cmd);
  // Default: the standard handling (WM_CLOSE destroys the window).
  virtual LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual int PreTranslateMessage(MSG* /*msg*/) { return 0; }
  virtual int OnInitDialog() { return 1; }
  // Called after the window is gone (its handle is already 0).
  virtual void OnDestroyMessage(HWND /*hwnd*/) {}

  HWND GetSafeHwnd() const { return m_hwnd; }
  HWND GetParentHwnd() const { return m_parent; }
  // Top-level rectangles are in screen coordinates. Returns the handle (the
  // existing one when created already), 0 without a host.
  HWND Create(HWND parent);
  HWND Create(HWND parent, CRect rect);
  HWND Create(HWND parent, const char* title, DWORD style, DWORD ex_style, CRect rect);

  // The window's icon, a picture file relative to the program folder; 0 when
  // there is no window or the file cannot be read.
  int SetIcon(const std::string& file);

  DWORD GetStyle() const { return m_style; }
  DWORD GetExStyle() const { return m_ex_style; }
  int ModifyStyle(DWORD remove, DWORD add, UINT swp_flags = 0);
  int ModifyExStyle(DWORD remove, DWORD add, UINT swp_flags = 0);
  CRect GetClientRect() const;
  CRect GetWindowRect() const;
  void SetWindowTextW(const std::string& text);
  int GetWindowTextW(std::string& text) const;
  int GetWindowTextLengthW() const;
  int EnableWindow(int enable);
  int IsWindowEnabled() const;
  int IsWindowVisible() const;
  int IsIconic() const;
  int IsZoomed() const;
  void InvalidateRect(CRect rect, int erase = 0);
  void SetCapture();
  void ReleaseCapture();
  void SetFocus();
  // Window timers deliver WM_TIMER with the id; a second SetTimer of an id restarts it.
  int SetTimer(UINT id, UINT elapse_ms);
  int KillTimer(UINT id);
  void ClientToScreen(CPoint& pt) const;
  void ClientToScreen(CRect& rect) const;
  void ScreenToClient(CPoint& pt) const;
  void ScreenToClient(CRect& rect) const;
  int SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags);
  void MoveWindow(int x, int y, int cx, int cy);
  void MoveWindow(CRect rect);
  // Shows the window and runs a nested loop until it is destroyed; the owner
  // takes no input meanwhile. The result is the wParam of the WM_CLOSE that
  // ended it, kModalNoWindow without a window.
  UINT ShowModal(int cmd_show = SW_SHOW);
  void DestroyWindow();
  // Centres on `relative_to` (else the owner) within the monitor's work area.
  void CenterWindow(MWindow* relative_to = nullptr);
  void BringToTop();
  LRESULT SendMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  bool PostMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  void SetWindowCursor(CursorKind cursor);
  void BeginMoveDrag(CPoint client_point);
  NativeWindow* GetNative() const { return m_native.get(); }
  static MWindow* FromHandle(HWND hwnd);

 protected:
  virtual WindowKind GetWindowKind() const { return WindowKind::kNormal; }
  LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Host events, posted and sent messages enter here.
  LRESULT Deliver(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnNativeMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void ApplyStyle();

  std::unique_ptr<NativeWindow> m_native;
  HWND m_hwnd = 0;
  HWND m_parent = 0;
  std::string m_title;
  DWORD m_style = 0;
  DWORD m_ex_style = 0;
  std::map<UINT, UINT> m_timers;  // window timer id -> host timer id
  int m_modal_depth = 0;
  UINT m_modal_result = 0;
};

// Thread-safe: queues the message for the window on the UI thread; false
// when there is no host. A message for a window gone by then is dropped.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Ends every running message loop (Manager::MessageLoop, ShowModal) with `code`.
void PostQuitMessage(int code);
