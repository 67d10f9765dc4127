// MSkinWindow: the message pipeline of library-drawn windows (hooks first,
// then the paint manager, then the standard handling), creation and layout.
#include "QorUI/skin_window.h"

MSkinWindow::MSkinWindow() = default;

MSkinWindow::~MSkinWindow() {
  // Destroyed here, while the painter and the hooks still exist.
  if (GetSafeHwnd()) DestroyWindow();
}

LRESULT MSkinWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const UINT flags = LOWORD(wParam);
  const CPoint pt = PointFromLParam(lParam);
  switch (msg) {
    case WM_CREATE:
      OnCreate();
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_PAINT:
      OnPaint();
      break;
    case WM_CLOSE:
      if (!OnClose()) return 0;
      break;
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging();
      break;
    case WM_WINDOWPOSCHANGED:
      OnWindowPosChanged();
      break;
    case WM_NCACTIVATE:
      OnNcActivate(static_cast<int>(wParam));
      break;
    case WM_TIMER:
      OnTimer(static_cast<UINT>(wParam));
      break;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(flags, pt);
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(flags, lParam);
      break;
    case WM_MOUSEHOVER:
      OnMouseHover(flags, lParam);
      break;
    case WM_MOUSEWHEEL:
      OnMouseWheel(flags, static_cast<short>(GET_WHEEL_DELTA_WPARAM(wParam)), pt);
      break;
    case WM_LBUTTONDOWN:
      OnLButtonDown(flags, pt);
      break;
    case WM_LBUTTONUP:
      OnLButtonUp(flags, pt);
      break;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(flags, pt);
      break;
    case WM_RBUTTONDOWN:
      OnRButtonDown(flags, pt);
      break;
    case WM_RBUTTONUP:
      OnRButtonUp(flags, pt);
      break;
    case WM_RBUTTONDBLCLK:
      OnRButtonDblClk(flags, pt);
      break;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_USER_CLOSE_WINDOW:
      return OnUserCloseWindow(wParam, lParam);
    default:
      break;
  }
  if (LRESULT r = m_pm.OnWindowMessage(msg, wParam, lParam)) return r;
  return DefWindowProc(msg, wParam, lParam);
}

int MSkinWindow::OnInitDialog() {
  m_pm.Init(GetSafeHwnd(), this);
  m_client = GetClientRect();
  InitUI(m_client);
  return 1;
}

void MSkinWindow::OnDestroyMessage(HWND hwnd) {
  m_pm.OnDestroyMessage(hwnd);
  PostNcDestroy();
}

LRESULT MSkinWindow::OnUserCloseWindow(WPARAM wParam, LPARAM lParam) {
  PostMessageW(WM_CLOSE, wParam, lParam);
  return 0;
}

LRESULT MSkinWindow::OnCreate() {
  // No caption and no sizing frame: the library draws the whole window.
  const DWORD style = (GetStyle() & 0xFF3BFFFF) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | 0x8;
  ModifyStyle(GetStyle(), style);
  return 0;
}

LRESULT MSkinWindow::OnSize(UINT type, int cx, int cy) {
  if (type == SIZE_MINIMIZED) return 0;
  m_client = GetClientRect();
  if (cx > 1 && cy > 1) UISize(m_client);
  m_pm.Invalidate();
  return 0;
}

MControl* MSkinWindow::CreateControl(const char* class_name, UINT id, CRect rect, const char* title,
                                     int visible, int enabled) {
  return m_pm.CreateControl(this, class_name, id, rect, title, visible, enabled);
}

MControl* MSkinWindow::CreateArea(const char* class_name, UINT id, CRect rect, const char* title,
                                  int visible, int enabled) {
  return m_pm.CreateArea(this, class_name, id, rect, title, visible, enabled);
}

MControl* MSkinWindow::AddControl(std::unique_ptr<MControl> control, int layer) {
  if (control) control->SetParent(this);
  return m_pm.AddControl(std::move(control), layer);
}

void MSkinWindow::SetLayeredWindow(int layered) {
  m_pm.SetLayeredWindow(layered);
  if (NativeWindow* native = GetNative()) native->SetAlpha(layered != 0);
}

void MSkinWindow::SetFocusControl(MControl* control) {
  m_pm.SetFocusControl(control);
}

void MSkinWindow::SetMessage(const std::string& text, CRect rect, MsgLevel level) {
  rect.OffsetRect(0, m_message_shift);
  m_pm.SetMessage(text, rect, level);
}
