// The headless host: in-memory windows, a virtual clock and injected input.
#include "QorUI/headless_host.h"

#include <algorithm>

#include "QorUI/image.h"
#include "QorUI/window.h"

// --- HeadlessWindow ---

HeadlessWindow::HeadlessWindow(const NativeWindowParams& params, NativeWindowClient* client,
                               HeadlessHost& host)
    : m_params(params),
      m_client(client),
      m_host(host),
      m_title(params.title),
      m_rect(params.rect) {}

HeadlessWindow::~HeadlessWindow() {
  for (HeadlessTextEntry* e : m_entries) e->Detach();
  m_host.OnGone(this);
}

void HeadlessWindow::Show(int sw) {
  const bool was_visible = m_visible;
  m_visible = sw != SW_HIDE;
  m_shown = m_shown || m_visible;
  m_iconic = sw == SW_MINIMIZE || sw == SW_SHOWMINIMIZED;
  if (sw == SW_SHOWMAXIMIZED) m_zoomed = true;
  if (sw == SW_RESTORE || sw == SW_SHOWNORMAL) m_zoomed = false;
  if (m_visible && !was_visible) Invalidate(CRect(CPoint(0, 0), m_rect.Size()));
  m_host.OnShown(this, m_visible && !m_iconic && sw != SW_SHOWNOACTIVATE &&
                           m_params.kind != WindowKind::kTooltip);
}

bool HeadlessWindow::SetIcon(const std::string& path) {
  if (!Image::LoadFromFile(path)) return false;
  m_icon = path;
  return true;
}

void HeadlessWindow::SetWindowRect(const CRect& rect) {
  const bool resized = rect.Size() != m_rect.Size();
  m_rect = rect;
  if (resized) {
    m_client->OnNativeMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
    Invalidate(CRect(CPoint(0, 0), rect.Size()));
  }
}

void HeadlessWindow::Invalidate(const CRect& client_rect) {
  CRect clipped;
  if (!clipped.IntersectRect(client_rect, CRect(CPoint(0, 0), m_rect.Size()))) return;
  m_dirty.UnionRect(m_dirty, clipped);
}

void HeadlessWindow::Activate() {
  m_host.SetActive(this);
}
bool HeadlessWindow::IsActive() const {
  return m_host.Active() == this;
}

std::unique_ptr<TextEntry> HeadlessWindow::CreateTextEntry() {
  auto entry = std::make_unique<HeadlessTextEntry>(*this);
  m_entries.push_back(entry.get());
  return entry;
}

void HeadlessWindow::Forget(HeadlessTextEntry* entry) {
  std::erase(m_entries, entry);
}

bool HeadlessWindow::PaintNow() {
  if (m_dirty.IsRectEmpty() || !m_visible || m_iconic) return false;
  PaintRequest request{m_dirty, nullptr};
  m_dirty.SetRectEmpty();
  m_client->OnNativeMessage(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request));
  if (request.buffer) {
    if (m_screen.Width() != request.buffer->Width() ||
        m_screen.Height() != request.buffer->Height())
      m_screen = request.buffer->Clone();
    else
      m_screen.DrawCanvas(*request.buffer, request.dirty, request.dirty.TopLeft());
  }
  return true;
}

// --- HeadlessTextEntry ---

HeadlessTextEntry::~HeadlessTextEntry() {
  if (m_window) m_window->Forget(this);
}

void HeadlessTextEntry::Show(bool show) {
  m_visible = show;
  if (!show) m_focused = false;
}

void HeadlessTextEntry::Type(const std::string& text) {
  if (m_read_only || !m_visible) return;
  if (m_all_selected) m_text.clear();
  m_all_selected = false;
  m_text += text;
  if (m_handlers.changed) m_handlers.changed();
}

void HeadlessTextEntry::Blur() {
  if (!m_focused) return;
  m_focused = false;
  if (m_handlers.focus_out) m_handlers.focus_out();
}

void HeadlessTextEntry::PressReturn() {
  if (m_handlers.activate) m_handlers.activate();
}

void HeadlessTextEntry::PressEscape() {
  if (m_handlers.cancel) m_handlers.cancel();
}

// --- HeadlessHost ---

HeadlessHost::HeadlessHost() = default;
HeadlessHost::~HeadlessHost() = default;

std::unique_ptr<NativeWindow> HeadlessHost::CreateNativeWindow(const NativeWindowParams& params,
                                                               NativeWindowClient* client) {
  if (!client) return nullptr;
  auto window = std::make_unique<HeadlessWindow>(params, client, *this);
  m_windows.push_back(window.get());
  return window;
}

void HeadlessHost::OnShown(HeadlessWindow* window, bool activate) {
  if (!window->IsVisible() && m_active == window) {
    m_active = nullptr;
    window->Client()->OnNativeMessage(WM_NCACTIVATE, 0, 0);
    return;
  }
  if (activate) SetActive(window);
}

void HeadlessHost::OnGone(HeadlessWindow* window) {
  std::erase(m_windows, window);
  if (m_active == window) m_active = nullptr;
}

void HeadlessHost::SetActive(HeadlessWindow* window) {
  if (m_active == window) return;
  HeadlessWindow* old = m_active;
  m_active = window;
  if (old) old->Client()->OnNativeMessage(WM_NCACTIVATE, 0, 0);
  // The old window's handler may have destroyed the new one.
  if (window && std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end())
    window->Client()->OnNativeMessage(WM_NCACTIVATE, 1, 0);
}

void HeadlessHost::Pump() {
  for (int round = 0; round < 1000; ++round) {
    RunPosted();
    bool painted = false;
    const auto windows = m_windows;
    for (HeadlessWindow* w : windows)
      if (std::find(m_windows.begin(), m_windows.end(), w) != m_windows.end())
        painted |= w->PaintNow();
    if (!painted && !HasPosted()) return;
  }
}

UINT HeadlessHost::AddTimer(UINT period_ms, std::function<void()> tick) {
  const UINT id = m_next_timer++;
  m_timers[id] = Timer{std::max(period_ms, 1u), m_now + std::max(period_ms, 1u), std::move(tick)};
  return id;
}

void HeadlessHost::RemoveTimer(UINT id) {
  m_timers.erase(id);
}

bool HeadlessHost::FireNextTimer(std::uint64_t limit) {
  auto next = m_timers.end();
  for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
    if (next == m_timers.end() || it->second.due < next->second.due) next = it;
  if (next == m_timers.end() || next->second.due > limit) return false;
  const UINT id = next->first;
  m_now = std::max(m_now, next->second.due);
  next->second.due += next->second.period;
  auto tick = next->second.tick;  // the tick may remove its own timer
  tick();
  (void)id;
  Pump();
  return true;
}

void HeadlessHost::AdvanceTime(UINT ms) {
  const std::uint64_t target = m_now + ms;
  Pump();
  while (FireNextTimer(target)) {
  }
  m_now = target;
  Pump();
}

void HeadlessHost::RunLoop(const std::function<bool()>& done) {
  const std::uint64_t give_up = m_now + 10 * 60 * 1000;
  while (!done() && !IsQuitRequested()) {
    Pump();
    if (done() || IsQuitRequested()) break;
    if (m_idle && m_idle()) continue;
    if (!FireNextTimer(give_up)) break;
  }
  Pump();
}

CRect HeadlessHost::GetWorkArea(const CRect&) const {
  return m_work_area;
}

HeadlessWindow* HeadlessHost::Window(HWND hwnd) const {
  MWindow* w = MWindow::FromHandle(hwnd);
  return w ? dynamic_cast<HeadlessWindow*>(w->GetNative()) : nullptr;
}

void HeadlessHost::Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  HeadlessWindow* w = Window(hwnd);
  if (!w) return;
  const bool input = (msg >= WM_KEYDOWN && msg <= WM_SYSKEYUP) ||
                     (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL) || msg == WM_MOUSELEAVE;
  if (input && (!w->IsEnabled() || w->Params().kind == WindowKind::kTooltip)) return;
  if (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL)
    m_cursor = w->GetWindowRect().TopLeft() + PointFromLParam(lParam);
  w->Client()->OnNativeMessage(msg, wParam, lParam);
  Pump();
}

namespace {
WPARAM MouseFlags(UINT mods, WPARAM buttons) {
  WPARAM flags = buttons;
  if (mods & MK_SHIFT) flags |= MK_SHIFT;
  if (mods & MK_CONTROL) flags |= MK_CONTROL;
  return flags;
}
}  // namespace

void HeadlessHost::MouseMove(HWND hwnd, CPoint pt, UINT flags) {
  Send(hwnd, WM_MOUSEMOVE, MouseFlags(m_modifiers, flags), LParamFromPoint(pt));
}
void HeadlessHost::LButtonDown(HWND hwnd, CPoint pt) {
  Send(hwnd, WM_LBUTTONDOWN, MouseFlags(m_modifiers, MK_LBUTTON), LParamFromPoint(pt));
}
void HeadlessHost::LButtonUp(HWND hwnd, CPoint pt) {
  Send(hwnd, WM_LBUTTONUP, MouseFlags(m_modifiers, 0), LParamFromPoint(pt));
}
void HeadlessHost::Click(HWND hwnd, CPoint pt) {
  MouseMove(hwnd, pt);
  LButtonDown(hwnd, pt);
  LButtonUp(hwnd, pt);
}
void HeadlessHost::DoubleClick(HWND hwnd, CPoint pt) {
  Click(hwnd, pt);
  Send(hwnd, WM_LBUTTONDBLCLK, MouseFlags(m_modifiers, MK_LBUTTON), LParamFromPoint(pt));
  LButtonUp(hwnd, pt);
}
void HeadlessHost::RightClick(HWND hwnd, CPoint pt) {
  MouseMove(hwnd, pt);
  Send(hwnd, WM_RBUTTONDOWN, MouseFlags(m_modifiers, MK_RBUTTON), LParamFromPoint(pt));
  Send(hwnd, WM_RBUTTONUP, MouseFlags(m_modifiers, 0), LParamFromPoint(pt));
}
void HeadlessHost::Wheel(HWND hwnd, CPoint pt, int delta) {
  Send(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<unsigned>(MouseFlags(m_modifiers, 0)), delta),
       LParamFromPoint(pt));
}
void HeadlessHost::MouseLeave(HWND hwnd) {
  Send(hwnd, WM_MOUSELEAVE, 0, 0);
}
void HeadlessHost::KeyDown(HWND hwnd, UINT vk) {
  Send(hwnd, (m_modifiers & MK_ALT) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1);
}
void HeadlessHost::KeyUp(HWND hwnd, UINT vk) {
  Send(hwnd, (m_modifiers & MK_ALT) ? WM_SYSKEYUP : WM_KEYUP, vk, 1);
}
void HeadlessHost::Char(HWND hwnd, char32_t ch) {
  Send(hwnd, WM_CHAR, ch, 1);
}

void HeadlessHost::ActivateWindow(HWND hwnd) {
  if (HeadlessWindow* w = Window(hwnd)) SetActive(w);
  Pump();
}

void HeadlessHost::CloseWindow(HWND hwnd) {
  if (HeadlessWindow* w = Window(hwnd)) w->Client()->OnNativeMessage(WM_CLOSE, 0, 0);
  Pump();
}

bool HeadlessHost::SavePng(HWND hwnd, const std::string& path) const {
  HeadlessWindow* w = Window(hwnd);
  return w && w->Screen().SavePng(path);
}
