// PaintManager: window messages, mouse and key routing to the top-level
// controls, hover/press/capture/activation state and Tab navigation.
#include <cstdlib>

#include "QorUI/paint_manager.h"
#include "QorUI/window.h"

LRESULT PaintManager::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  struct DispatchScope {
    PaintManager& pm;
    explicit DispatchScope(PaintManager& p) : pm(p) { ++pm.m_dispatch_depth; }
    ~DispatchScope() {
      if (--pm.m_dispatch_depth == 0) pm.FlushDeferred();
    }
  } scope(*this);

  for (std::size_t i = 0; i < m_controls.size(); ++i)
    if (m_controls[i]->OnWindowMessage(msg, wParam, lParam)) return 0;

  switch (msg) {
    case WM_PAINT: {
      auto* request = reinterpret_cast<PaintRequest*>(lParam);
      if (!request) return 0;
      Paint(*request);
      return request->buffer ? 1 : 0;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (!info) return 1;
      if (m_min_size.cx > 0) info->ptMinTrackSize.x = m_min_size.cx;
      if (m_min_size.cy > 0) info->ptMinTrackSize.y = m_min_size.cy;
      if (m_max_size.cx > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = m_max_size.cx;
      if (m_max_size.cy > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = m_max_size.cy;
      return 1;
    }
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_CHAR:
    case WM_MOUSEHOVER:
      return 1;
    case WM_NCDESTROY:
      if (m_initialized) DestroyData();
      return 1;
    case WM_NCACTIVATE:
      OnActivate(wParam != 0);
      return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)));
      return 1;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return 0;
    case WM_TIMER:
      OnTimerMessage(static_cast<UINT>(wParam));
      return 0;
    default:
      return OnMouseMessage(msg, wParam, lParam);
  }
}

LRESULT PaintManager::OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const UINT flags = LOWORD(wParam);
  const CPoint pt = PointFromLParam(lParam);
  switch (msg) {
    case WM_MOUSEMOVE:
      OnMouseMove(flags, pt);
      return 1;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return 1;
    case WM_LBUTTONDOWN:
      OnLButtonDown(flags, pt);
      return 1;
    case WM_LBUTTONUP:
      OnLButtonUp(flags, pt);
      return 1;
    case WM_LBUTTONDBLCLK:
      OnButtonDblClk(flags, pt, false);
      return 1;
    case WM_RBUTTONDOWN:
      OnRButtonDown(flags, pt);
      return 1;
    case WM_RBUTTONUP:
      OnRButtonUp(flags, pt);
      return 1;
    case WM_RBUTTONDBLCLK:
      OnButtonDblClk(flags, pt, true);
      return 1;
    case WM_MOUSEWHEEL:
      OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), flags, pt);
      return 1;
    default:
      return 0;
  }
}

MControl* PaintManager::HitTest(CPoint pt) const {
  MControl* hit = nullptr;
  for (auto& c : m_controls)
    if (c->PtInRect(pt) && c->GetRresponse()) hit = c.get();
  return hit;
}

// The focus is not moved here: the press travels down the tree and the
// control that takes it itself (however deep) takes the focus from the old
// one in a single hand-over.
bool PaintManager::TakesPress(MControl* hover, UINT flags, CPoint pt) const {
  return hover && hover->IsVisible() && hover->GetRresponse() && hover->PtInRect(pt) &&
         hover->OnCheckMouseResponse(flags, pt);
}

void PaintManager::OnMouseMove(UINT flags, CPoint pt) {
  m_last_point = pt;
  m_tracking = true;  // leave notices always arrive from the host
  if (m_hover && m_hover->PtInRect(pt) && m_hover->OnCheckMouseResponse(flags, pt)) {
    m_hover->OnMouseMove(flags, pt);
    return;
  }
  m_tooltip_owner = 0;
  SetTooltip(std::string(), CRect());
  if (m_left_pressed) {
    // The pressed control keeps the pointer (a drag past its edge continues).
    if (m_hover) m_hover->OnMouseMove(flags, pt);
    return;
  }
  for (std::size_t i = 0; i < m_controls.size(); ++i) m_controls[i]->OnMouseMove(flags, pt);
  m_hover = HitTest(pt);
}

void PaintManager::OnMouseLeave() {
  SetTooltip(std::string(), CRect());
  m_tooltip_owner = 0;
  m_tracking = false;
  if (m_left_pressed || !m_hover) return;
  MControl* hover = m_hover;
  m_hover = nullptr;
  hover->OnMouseMove(0, CPoint(-1, -1));
}

void PaintManager::OnLButtonDown(UINT flags, CPoint pt) {
  // A press at a point the pointer never moved to first still finds its control.
  if (pt != m_last_point || !m_hover) OnMouseMove(flags, pt);
  m_dblclk_seen = false;
  MControl* hover = m_hover;
  if (TakesPress(hover, flags, pt)) {
    m_left_pressed = true;
    hover->OnLButtonDown(flags, pt);
    if (!m_captured && m_hover == hover && hover->OnCheckMouseResponse(flags, pt)) SetCapture();
    return;
  }
  SetFocusControl(nullptr);
  if (m_wnd_drag && m_window) {
    ReleaseCapture();
    m_window->BeginMoveDrag(pt);
  }
}

void PaintManager::OnLButtonUp(UINT flags, CPoint pt) {
  if (m_captured) ReleaseCapture();
  m_left_pressed = false;
  MControl* hover = m_hover;
  if (!hover || !hover->IsVisible() || !hover->GetRresponse()) return;
  const CRect before = hover->GetRect();
  hover->OnLButtonUp(flags, pt);
  if (!before.PtInRect(pt) && m_hover == hover) m_hover = nullptr;
}

void PaintManager::OnButtonDblClk(UINT flags, CPoint pt, bool right) {
  m_dblclk_seen = true;
  MControl* hover = m_hover;
  if (!hover || !hover->IsVisible() || !hover->GetRresponse()) return;
  const CRect before = hover->GetRect();
  if (right)
    hover->OnRButtonDblClk(flags, pt);
  else
    hover->OnLButtonDblClk(flags, pt);
  if (!before.PtInRect(pt) && m_hover == hover) m_hover = nullptr;
}

void PaintManager::OnRButtonDown(UINT flags, CPoint pt) {
  if (pt != m_last_point || !m_hover) OnMouseMove(flags, pt);
  MControl* hover = m_hover;
  if (!TakesPress(hover, flags, pt)) {
    SetFocusControl(nullptr);
    return;
  }
  m_right_pressed = true;
  hover->OnRButtonDown(flags, pt);
  if (!m_captured && m_hover == hover && hover->OnCheckMouseResponse(flags, pt)) SetCapture();
}

void PaintManager::OnRButtonUp(UINT flags, CPoint pt) {
  if (m_captured) ReleaseCapture();
  m_right_pressed = false;
  MControl* hover = m_hover;
  if (!hover || !hover->IsVisible() || !hover->GetRresponse()) return;
  const CRect before = hover->GetRect();
  hover->OnRButtonUp(flags, pt);
  if (!before.PtInRect(pt) && m_hover == hover) m_hover = nullptr;
}

void PaintManager::OnMouseWheel(int delta, UINT flags, CPoint pt) {
  // As for a press: a wheel turned where the pointer was not seen yet first
  // finds the controls under it.
  if (pt != m_last_point || !m_hover) OnMouseMove(flags, pt);
  const int count = std::abs(delta / static_cast<int>(WHEEL_DELTA));
  const UINT direction = delta <= 0 ? 1 : 0;  // 1: towards the user (down)
  for (int step = 0; step < count; ++step) {
    if (m_hover && m_hover->OnScroll(1, direction, pt)) continue;
    for (std::size_t i = 0; i < m_controls.size(); ++i)
      if (m_controls[i]->OnScroll(1, direction, pt)) break;
  }
}

void PaintManager::OnActivate(bool active) {
  m_active = active ? 1 : 0;
  if (!active) {
    m_tracking = false;
    ReleaseCapture();
    m_right_pressed = false;
    MControl* hover = m_hover;
    m_hover = nullptr;
    if (m_left_pressed) {
      m_left_pressed = false;
      if (hover) hover->OnLButtonUp(0, CPoint(-1, -1));
    } else if (hover) {
      hover->OnMouseMove(0, CPoint(-1, -1));
    }
  }
  Invalidate();
}

void PaintManager::OnKeyDown(UINT key, UINT) {
  Host* host = Host::Current();
  const UINT mods = host ? host->GetModifiers() : 0;
  const UINT value = ((mods & MK_ALT)     ? 18u
                      : (mods & MK_SHIFT) ? 16u
                                          : 0u) |
                     ((mods & MK_CONTROL) ? 17u : 0u);
  if (m_hover && m_hover->OnKeyDown(key, 1, value)) return;
  for (std::size_t i = 0; i < m_controls.size(); ++i)
    if (m_controls[i]->OnKeyDown(key, 1, value)) return;
}

int PaintManager::PreTranslateMessage(MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) ||
      msg->wParam != VK_TAB)
    return 0;
  Host* host = Host::Current();
  const UINT mods = host ? host->GetModifiers() : 0;
  MControl* next = nullptr;
  if ((mods & (MK_SHIFT | MK_CONTROL | MK_ALT)) == 0)
    next = GetNextFocusableControl();
  else if ((mods & (MK_SHIFT | MK_CONTROL | MK_ALT)) == MK_SHIFT)
    next = GetPrevFocusableControl();
  if (!next || next == m_focus) return 0;
  SetFocusControl(next);
  return 1;
}

void PaintManager::OnDestroyMessage(HWND) {
  if (m_initialized) DestroyData();
}
