// MWindow: native window creation through the host, the message entry,
// modal loops, timers, coordinates and placement.
#include "QorUI/window.h"

#include <algorithm>
#include <atomic>

#include "QorUI/manager.h"

namespace {
std::atomic<HWND> g_next_hwnd{1};
}  // namespace

MWindow::MWindow() = default;

MWindow::~MWindow() {
  if (m_hwnd) DestroyWindow();
}

MWindow* MWindow::FromHandle(HWND hwnd) {
  if (hwnd == 0) return nullptr;
  for (MWindow* w : Manager::GetWnds())
    if (w->m_hwnd == hwnd) return w;
  return nullptr;
}

int MWindow::ShowWindow(int cmd) {
  if (!m_native) return 0;
  const int was_visible = m_native->IsVisible() ? 1 : 0;
  m_native->Show(cmd);
  return was_visible;
}

LRESULT MWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(msg, wParam, lParam);
}

LRESULT MWindow::DefWindowProc(UINT msg, WPARAM, LPARAM) {
  if (msg == WM_CLOSE) DestroyWindow();
  return 0;
}

HWND MWindow::Create(HWND parent) {
  return Create(parent, CRect(0, 0, 800, 600));
}

HWND MWindow::Create(HWND parent, CRect rect) {
  return Create(parent, GetWindowClassName(), 0x80B, 0, rect);
}

HWND MWindow::Create(HWND parent, const char* title, DWORD style, DWORD ex_style, CRect rect) {
  if (m_hwnd) return m_hwnd;
  Host* host = Host::Current();
  if (!host) return 0;
  m_parent = parent;
  m_title = title ? title : "";
  m_style = style;
  m_ex_style = ex_style;
  NativeWindowParams params;
  params.kind = GetWindowKind();
  params.rect = rect;
  params.title = m_title;
  params.owner = parent;
  params.alpha = (ex_style & WS_EX_LAYERED) != 0;
  m_native = host->CreateNativeWindow(params, this);
  if (!m_native) return 0;
  m_hwnd = g_next_hwnd.fetch_add(1);
  Manager::AddWnd(this);
  Deliver(WM_CREATE, 0, 0);
  ApplyStyle();
  const CRect client = GetClientRect();
  Deliver(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
  if (m_hwnd) OnInitDialog();
  return m_hwnd;
}

int MWindow::SetIcon(const std::string& file) {
  if (!m_native) return 0;
  return m_native->SetIcon(Manager::JoinPath(Manager::GetProgramFolder(), file)) ? 1 : 0;
}

void MWindow::ApplyStyle() {
  if (m_native) m_native->SetTitle(m_title);
}

int MWindow::ModifyStyle(DWORD remove, DWORD add, UINT) {
  const DWORD next = (m_style & ~remove) | add;
  if (next == m_style) return 0;
  m_style = next;
  ApplyStyle();
  return 1;
}

int MWindow::ModifyExStyle(DWORD remove, DWORD add, UINT) {
  const DWORD next = (m_ex_style & ~remove) | add;
  if (next == m_ex_style) return 0;
  m_ex_style = next;
  return 1;
}

CRect MWindow::GetClientRect() const {
  return m_native ? CRect(CPoint(0, 0), m_native->GetWindowRect().Size()) : CRect();
}

CRect MWindow::GetWindowRect() const {
  return m_native ? m_native->GetWindowRect() : CRect();
}

void MWindow::SetWindowTextW(const std::string& text) {
  m_title = text;
  if (m_native) m_native->SetTitle(text);
}

int MWindow::GetWindowTextW(std::string& text) const {
  if (!m_native) return 0;
  text = m_title;
  return static_cast<int>(text.size());
}

int MWindow::GetWindowTextLengthW() const {
  return m_native ? static_cast<int>(m_title.size()) : -1;
}

int MWindow::EnableWindow(int enable) {
  if (!m_native) return 0;
  const int was_disabled = m_native->IsEnabled() ? 0 : 1;
  m_native->SetEnabled(enable != 0);
  return was_disabled;
}

int MWindow::IsWindowEnabled() const {
  return m_native && m_native->IsEnabled() ? 1 : 0;
}
int MWindow::IsWindowVisible() const {
  return m_native && m_native->IsVisible() ? 1 : 0;
}
int MWindow::IsIconic() const {
  return m_native && m_native->IsIconic() ? 1 : 0;
}
int MWindow::IsZoomed() const {
  return m_native && m_native->IsZoomed() ? 1 : 0;
}

void MWindow::InvalidateRect(CRect rect, int) {
  if (m_native) m_native->Invalidate(rect);
}

void MWindow::SetCapture() {
  if (m_native) m_native->SetCapture(true);
}
void MWindow::ReleaseCapture() {
  if (m_native) m_native->SetCapture(false);
}
void MWindow::SetFocus() {
  if (m_native) m_native->Activate();
}

int MWindow::SetTimer(UINT id, UINT elapse_ms) {
  Host* host = Host::Current();
  if (!m_hwnd || !host) return 0;
  KillTimer(id);
  const HWND hwnd = m_hwnd;
  const UINT host_id = host->AddTimer(std::max(elapse_ms, 1u), [hwnd, id] {
    if (MWindow* w = MWindow::FromHandle(hwnd)) w->Deliver(WM_TIMER, id, 0);
  });
  if (host_id == 0) return 0;
  m_timers[id] = host_id;
  return 1;
}

int MWindow::KillTimer(UINT id) {
  auto it = m_timers.find(id);
  if (it == m_timers.end()) return 0;
  if (Host* host = Host::Current()) host->RemoveTimer(it->second);
  m_timers.erase(it);
  return 1;
}

void MWindow::ClientToScreen(CPoint& pt) const {
  pt = pt + GetWindowRect().TopLeft();
}
void MWindow::ClientToScreen(CRect& rect) const {
  rect.OffsetRect(GetWindowRect().TopLeft());
}
void MWindow::ScreenToClient(CPoint& pt) const {
  pt = pt - GetWindowRect().TopLeft();
}
void MWindow::ScreenToClient(CRect& rect) const {
  const CPoint o = GetWindowRect().TopLeft();
  rect.OffsetRect(-o.x, -o.y);
}

int MWindow::SetWindowPos(HWND, int x, int y, int cx, int cy, UINT flags) {
  if (!m_native) return 0;
  constexpr UINT kNoSize = 0x1, kNoMove = 0x2;
  const CRect now = GetWindowRect();
  const CPoint at = (flags & kNoMove) ? now.TopLeft() : CPoint(x, y);
  const CSize size = (flags & kNoSize) ? now.Size() : CSize(cx, cy);
  m_native->SetWindowRect(CRect(at, size));
  return 1;
}

void MWindow::MoveWindow(int x, int y, int cx, int cy) {
  SetWindowPos(0, x, y, cx, cy, 0);
}
void MWindow::MoveWindow(CRect rect) {
  MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
}

UINT MWindow::ShowModal(int cmd_show) {
  Host* host = Host::Current();
  if (!m_native || !host) return kModalNoWindow;
  ShowWindow(cmd_show);
  MWindow* owner = FromHandle(m_parent);
  const HWND owner_hwnd = m_parent;
  if (owner) owner->EnableWindow(0);
  ++m_modal_depth;
  m_modal_result = 0;
  const HWND self = m_hwnd;
  host->RunLoop([self] { return FromHandle(self) == nullptr; });
  // The dialog object outlives its window (its owner frees it), so the
  // result can be read back here.
  const UINT result = m_modal_result;
  --m_modal_depth;
  if (MWindow* o = FromHandle(owner_hwnd)) {
    o->EnableWindow(1);
    o->SetFocus();
  }
  return result;
}

void MWindow::DestroyWindow() {
  if (!m_hwnd) return;
  const HWND hwnd = m_hwnd;
  Deliver(WM_DESTROY, 0, 0);
  Deliver(WM_NCDESTROY, 0, 0);
  Host* host = Host::Current();
  for (auto& [id, host_id] : m_timers)
    if (host) host->RemoveTimer(host_id);
  m_timers.clear();
  // The native window may be inside one of its own event callbacks: hide it
  // now, free it once the callback has returned.
  if (m_native) {
    m_native->Show(SW_HIDE);
    if (host) {
      auto native = std::shared_ptr<NativeWindow>(std::move(m_native));
      host->Post([native] {});
    }
    m_native.reset();
  }
  m_hwnd = 0;
  Manager::DeleteWnd(this);
  OnDestroyMessage(hwnd);
}

void MWindow::CenterWindow(MWindow* relative_to) {
  Host* host = Host::Current();
  if (!m_native || !host) return;
  MWindow* ref = relative_to ? relative_to : FromHandle(m_parent);
  const CRect own = GetWindowRect();
  const CRect bounds = host->GetWorkArea(ref ? ref->GetWindowRect() : own);
  CRect center_of = bounds;
  if (ref && ref->IsWindowVisible() && !ref->IsIconic()) center_of = ref->GetWindowRect();
  const CPoint c = center_of.CenterPoint();
  int x = c.x - own.Width() / 2;
  int y = c.y - own.Height() / 2;
  if (x + own.Width() > bounds.right) x = bounds.right - own.Width();
  if (y + own.Height() > bounds.bottom) y = bounds.bottom - own.Height();
  x = std::max(x, bounds.left);
  y = std::max(y, bounds.top);
  m_native->SetWindowRect(CRect(CPoint(x, y), own.Size()));
}

void MWindow::BringToTop() {
  if (!m_native) return;
  m_native->Activate();
  m_native->Show(IsIconic() ? SW_RESTORE : SW_SHOW);
}

LRESULT MWindow::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return m_hwnd ? Deliver(msg, wParam, lParam) : 0;
}

bool MWindow::PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return m_hwnd && PostMessage(m_hwnd, msg, wParam, lParam);
}

void MWindow::SetWindowCursor(CursorKind cursor) {
  if (m_native) m_native->SetCursor(cursor);
}

void MWindow::BeginMoveDrag(CPoint client_point) {
  if (!m_native) return;
  ClientToScreen(client_point);
  m_native->BeginMoveDrag(client_point);
}

LRESULT MWindow::Deliver(UINT msg, WPARAM wParam, LPARAM lParam) {
  const bool input =
      (msg >= WM_KEYDOWN && msg <= WM_SYSKEYUP) || (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL);
  if (input) {
    MSG m{m_hwnd, msg, wParam, lParam};
    if (Manager::PreTranslateMessage(&m) || PreTranslateMessage(&m)) return 0;
  }
  if (msg == WM_CLOSE && m_modal_depth > 0) m_modal_result = static_cast<UINT>(wParam);
  return OnWindowMessage(msg, wParam, lParam);
}

LRESULT MWindow::OnNativeMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return m_hwnd ? Deliver(msg, wParam, lParam) : 0;
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Host* host = Host::Current();
  if (!host || hwnd == 0) return false;
  host->Post([hwnd, msg, wParam, lParam] {
    if (MWindow* w = MWindow::FromHandle(hwnd)) w->SendMessageW(msg, wParam, lParam);
  });
  return true;
}

void PostQuitMessage(int code) {
  if (Host* host = Host::Current()) host->PostQuit(code);
}
