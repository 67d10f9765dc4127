// PaintManager: setup, the control tree, repaint requests and painting, and
// the per-window resources.
#include "QorUI/paint_manager.h"

#include <algorithm>

#include "QorUI/dialog.h"
#include "QorUI/manager.h"
#include "QorUI/render.h"
#include "QorUI/window.h"
#include "framework/overlay_box.h"
#include "framework/text_engine.h"
#include "framework/tooltip_window.h"

PaintManager::PaintManager()
    : m_ui_thread(std::this_thread::get_id()),
      m_overlay(std::make_unique<OverlayBox>(*this)),
      m_tooltip(std::make_unique<TooltipWindow>()) {}

PaintManager::~PaintManager() {
  DestroyData();
  FlushDeferred();
}

void PaintManager::Init(HWND hwnd, MWindow* owner) {
  if (hwnd == 0 || !owner) return;
  m_hwnd = hwnd;
  m_window = owner;
  m_ui_thread = std::this_thread::get_id();
  Manager::InstallPrivateFont();
  m_initialized = true;
  m_scroll_v_id = kResScrollVertical;
  m_scroll_h_id = kResScrollHorizontal;
}

void PaintManager::DestroyData() {
  m_overlay->Stop();
  m_tooltip->Hide();
  KillMTimer();
  ClearTimers();
  ClearAllControls();
  // A window closed from a notification keeps the sender (and the rest of
  // the tree) alive until the outermost event returns.
  if (m_dispatch_depth == 0) FlushDeferred();
  m_mtimer_controls.clear();
  ClearImgResInfo();
  ClearTempFont();
  m_back_image.reset();
  {
    std::lock_guard lock(m_pending_lock);
    m_pending.clear();
  }
  m_hover = m_focus = nullptr;
  m_initialized = false;
}

MDialog* PaintManager::GetMDialog() const {
  return dynamic_cast<MDialog*>(m_window);
}

CRect PaintManager::GetClientRect() const {
  return m_window ? m_window->GetClientRect() : CRect();
}
CRect PaintManager::GetWindowRect() const {
  return m_window ? m_window->GetWindowRect() : CRect();
}
CSize PaintManager::GetClientSize() const {
  return GetClientRect().Size();
}

void PaintManager::SetBackMode(enumBackMode mode, int corner) {
  m_back_mode = mode;
  m_corner = corner;
}

void PaintManager::SetBackColor(COLORREF back, COLORREF border) {
  m_back_color = back;
  m_border_color = border;
}

int PaintManager::LoadBKImage(const std::string& file) {
  m_back_image = MRender::LoadImageFromFile(Manager::GetSkinPath(file));
  return m_back_image ? 1 : 0;
}

int PaintManager::LoadBKImage(UINT resource_id) {
  m_back_image = MRender::LoadImageFromIDResource(resource_id);
  return m_back_image ? 1 : 0;
}

void PaintManager::SetScrollResID(UINT vertical, UINT horizontal) {
  m_scroll_v_id = vertical;
  m_scroll_h_id = horizontal;
}

// --- control tree ---

MControl* PaintManager::AddControl(std::unique_ptr<MControl> control, int layer) {
  return AddToLayer(std::move(control), layer);
}

MControl* PaintManager::AddToLayer(std::unique_ptr<MControl> control, int layer) {
  if (!control) return nullptr;
  MControl* raw = control.get();
  if (raw->GetManager() != this) raw->SetManager(this);
  (layer == 0 ? m_areas : m_controls).push_back(std::move(control));
  return raw;
}

MControl* PaintManager::GetControl(UINT id) const {
  for (const MControl::ControlList* list : {&m_controls, &m_areas}) {
    for (auto& c : *list) {
      if (c->GetControlID() == id) return c.get();
      if (MControl* found = c->GetControl(id)) return found;
    }
  }
  return nullptr;
}

int PaintManager::RemoveControl(MControl* control) {
  auto it = std::find_if(m_controls.begin(), m_controls.end(),
                         [control](auto& c) { return c.get() == control; });
  if (it == m_controls.end()) return 0;
  if (m_focus == control) SetFocusControl(nullptr);
  std::unique_ptr<MControl> owned = std::move(*it);
  m_controls.erase(it);
  DeferDelete(std::move(owned));
  return 1;
}

void PaintManager::ClearAreaControls() {
  while (!m_areas.empty()) {
    std::unique_ptr<MControl> last = std::move(m_areas.back());
    m_areas.pop_back();
    DeferDelete(std::move(last));
  }
}

void PaintManager::ClearControls() {
  m_hover = m_focus = nullptr;
  while (!m_controls.empty()) {
    std::unique_ptr<MControl> last = std::move(m_controls.back());
    m_controls.pop_back();
    DeferDelete(std::move(last));
  }
}

void PaintManager::ClearAllControls() {
  ClearControls();
  ClearAreaControls();
}

void PaintManager::DeferDelete(std::unique_ptr<MControl> control) {
  if (m_dispatch_depth > 0) m_deferred.push_back(std::move(control));
  // else: destroyed here, at the end of this scope
}

void PaintManager::FlushDeferred() {
  while (!m_deferred.empty()) {
    auto batch = std::move(m_deferred);
    m_deferred.clear();
  }
}

void PaintManager::ForgetControl(MControl* control) {
  if (m_hover == control) m_hover = nullptr;
  if (m_focus == control) m_focus = nullptr;
  std::erase(m_mtimer_controls, control);
  KillTimer(control);
  std::lock_guard lock(m_pending_lock);
  std::erase_if(m_pending, [control](const PendingUpdate& p) { return p.control == control; });
}

// --- repaint ---

LRESULT PaintManager::OnControlUpdate(CRect rect, int redraw, MControl* control) {
  if (!control) return 0;
  if (!OnUiThread()) {
    QueueUpdate(control, &rect, redraw, 1);
    return 0;
  }
  ApplyUpdate(rect, redraw, control);
  return 0;
}

void PaintManager::QueueUpdate(MControl* control, const CRect* rect, int redraw, int force,
                               bool animated) {
  if (!control) return;
  bool first;
  {
    std::lock_guard lock(m_pending_lock);
    first = m_pending.empty();
    m_pending.push_back(
        {control, rect ? *rect : CRect(), rect == nullptr, redraw, force, animated});
  }
  Host* host = Host::Current();
  if (first && host && m_hwnd) {
    const HWND hwnd = m_hwnd;
    host->Post([hwnd] {
      if (auto* w = dynamic_cast<MSkinWindow*>(MWindow::FromHandle(hwnd)))
        w->GetPaintManager().ApplyPendingUpdates();
    });
  }
}

void PaintManager::ApplyPendingUpdates() {
  std::vector<PendingUpdate> pending;
  {
    std::lock_guard lock(m_pending_lock);
    pending.swap(m_pending);
  }
  for (const PendingUpdate& p : pending)
    if (Contains(p.control)) ApplyPending(p);
}

void PaintManager::ApplyPending(const PendingUpdate& p) {
  if (p.animated)
    p.control->UpdateAControl(p.redraw, p.force);
  else if (p.whole)
    p.control->UpdateControl(p.redraw, p.force);
  else
    p.control->UpdateControl(p.rect, p.redraw, p.force);
}

bool PaintManager::Contains(const MControl* control) const {
  const MControl* top = TopLevelOf(control);
  if (!top) return false;
  if (top == control) return true;
  std::vector<const MControl*> stack{top};
  while (!stack.empty()) {
    const MControl* c = stack.back();
    stack.pop_back();
    if (c == control) return true;
    for (auto& child : c->GetControls()) stack.push_back(child.get());
    for (auto& child : c->GetAreas()) stack.push_back(child.get());
  }
  return false;
}

const MControl* PaintManager::TopLevelOf(const MControl* control) const {
  for (const MControl::ControlList* list : {&m_areas, &m_controls})
    for (auto& c : *list)
      if (c.get() == control) return control;
  // Deeper controls are found through their owners, which are controls too.
  const MControl* c = control;
  while (c) {
    auto* parent = dynamic_cast<const MControl*>(c->GetParantObject());
    if (!parent) break;
    c = parent;
  }
  for (const MControl::ControlList* list : {&m_areas, &m_controls})
    for (auto& top : *list)
      if (top.get() == c) return c;
  return nullptr;
}

void PaintManager::ApplyUpdate(CRect rect, int redraw, MControl* control) {
  if (redraw) control->SetUpdate(0, m_back_color);
  if (!m_initialized) return;
  CRect repaint = rect;
  const MControl* top = TopLevelOf(control);
  bool after = false;
  CRect overlap;
  for (const MControl::ControlList* list : {&m_areas, &m_controls}) {
    for (auto& c : *list) {
      if (c.get() == top) {
        after = true;
        continue;
      }
      if (after && c->IsVisible() && overlap.IntersectRect(c->GetRect(), rect)) {
        c->SetUpdate(0, m_back_color);
        repaint.UnionRect(repaint, c->GetRect());
      }
    }
  }
  InvalidateRect(repaint);
}

void PaintManager::Invalidate() {
  InvalidateRect(GetClientRect());
}

void PaintManager::InvalidateRect(CRect rect, int) {
  if (!m_window) return;
  m_window->InvalidateRect(m_layered ? GetClientRect() : rect);
}

void PaintManager::Paint(PaintRequest& request) {
  if (!m_window || m_window->IsIconic()) return;
  ApplyPendingUpdates();
  const CRect client = GetClientRect();
  if (client.IsRectEmpty()) return;
  CRect dirty;
  if (m_back.Width() != client.Width() || m_back.Height() != client.Height()) {
    m_back = Canvas(client.Width(), client.Height());
    dirty = client;  // a new buffer holds nothing yet
  } else if (!dirty.IntersectRect(request.dirty, client)) {
    request.buffer = &m_back;
    return;
  }
  ++m_dispatch_depth;
  m_back.Save();
  m_back.IntersectClip(dirty);
  m_back.Clear(dirty);
  PaintBackground(client);
  const CRect draw_rect = m_layered ? client : dirty;
  for (std::size_t i = 0; i < m_areas.size(); ++i) m_areas[i]->Draw(m_back, draw_rect);
  for (std::size_t i = 0; i < m_controls.size(); ++i) m_controls[i]->Draw(m_back, draw_rect);
  m_overlay->Draw(m_back);
  m_back.Restore();
  --m_dispatch_depth;
  if (m_dispatch_depth == 0) FlushDeferred();
  request.dirty = dirty;
  request.buffer = &m_back;
}

void PaintManager::PaintBackground(const CRect& client) {
  if (m_back_image) {
    const CRect src(0, 0, m_back_image->Width(), m_back_image->Height());
    if (m_back_mode == BACK_MODE_FRAME)
      MRender::DrawImageFrame(m_back, m_back_image.get(), client, 0, 0, src.Width(), src.Height(),
                              m_corner);
    else
      m_back.DrawImage(*m_back_image, src, src);
    return;
  }
  m_back.FillRect(client, ArgbFromColorref(m_border_color, 0xFE));
  m_back.FillRect(CRect(1, 1, client.Width() - 1, client.Height() - 1),
                  ArgbFromColorref(m_back_color, 0xFE));
}

// --- focus ---

void PaintManager::SetFocusControl(MControl* control) {
  if (control == m_focus) return;
  MControl* old = m_focus;
  m_focus = control;
  if (old) old->SetControlFocus(0);
  if (control) control->SetControlFocus(1);
}

MControl* PaintManager::GetNextFocusableControl() const {
  const std::size_t n = m_controls.size();
  if (n == 0) return nullptr;
  std::size_t start = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (m_controls[i].get() == m_focus) start = i + 1;
  for (std::size_t k = 0; k < n; ++k) {
    MControl* c = m_controls[(start + k) % n].get();
    if (c->IsVisible() && c->IsEnabled() && c->IsTabStop()) return c;
  }
  return nullptr;
}

MControl* PaintManager::GetPrevFocusableControl() const {
  const std::size_t n = m_controls.size();
  if (n == 0) return nullptr;
  std::size_t start = n - 1;
  for (std::size_t i = 0; i < n; ++i)
    if (m_controls[i].get() == m_focus) start = (i + n - 1) % n;
  for (std::size_t k = 0; k < n; ++k) {
    MControl* c = m_controls[(start + n - k) % n].get();
    if (c->IsVisible() && c->IsEnabled() && c->IsTabStop()) return c;
  }
  return nullptr;
}

void PaintManager::SetCapture() {
  if (m_window) m_window->SetCapture();
  m_captured = 1;
}

void PaintManager::ReleaseCapture() {
  if (m_window && m_captured) m_window->ReleaseCapture();
  m_captured = 0;
}

void PaintManager::SetControlCursor(CursorKind cursor) {
  if (m_window) m_window->SetWindowCursor(cursor);
}

std::unique_ptr<TextEntry> PaintManager::CreateTextEntry() {
  NativeWindow* native = m_window ? m_window->GetNative() : nullptr;
  return native ? native->CreateTextEntry() : nullptr;
}

// --- resources ---

ImgResInfo* PaintManager::CacheImage(const std::string& key, std::unique_ptr<Image> image,
                                     int frames) {
  if (!image) return nullptr;
  auto info = std::make_unique<ImgResInfo>();
  info->frames = std::max(frames, 1);
  info->frame_width = image->Width() / info->frames;
  info->frame_height = image->Height();
  info->name = key;
  info->image = std::move(image);
  return m_images.emplace(key, std::move(info)).first->second.get();
}

ImgResInfo* PaintManager::AddImgResInfo(const std::string& file, int frames) {
  auto it = m_images.find(file);
  if (it != m_images.end()) return it->second.get();
  return CacheImage(file, MRender::LoadImageFromFile(Manager::GetSkinPath(file)), frames);
}

ImgResInfo* PaintManager::AddImgResInfo(UINT resource_id, int frames) {
  const std::string key = "#resource/" + std::to_string(resource_id);
  auto it = m_images.find(key);
  if (it != m_images.end()) return it->second.get();
  return CacheImage(key, MRender::LoadImageFromIDResource(resource_id), frames);
}

void PaintManager::ClearImgResInfo() {
  m_images.clear();
}

std::string PaintManager::AddTempFont(const std::string& face, const std::string& file) {
  TextEngine& engine = TextEngine::Get();
  if (!engine.AddPrivateFont(face, file)) return std::string();
  std::lock_guard lock(engine.Lock());
  return m_fonts[face] = engine.FamilyOf(face);
}

std::string PaintManager::FindTempFont(const std::string&) {
  const std::string& face = Manager::GetFontName();
  auto it = m_fonts.find(face);
  if (it != m_fonts.end()) return it->second;
  TextEngine& engine = TextEngine::Get();
  std::lock_guard lock(engine.Lock());
  return m_fonts[face] = engine.FamilyOf(face);
}

void PaintManager::ClearTempFont() {
  m_fonts.clear();
}

// --- tooltip and overlay ---

void PaintManager::SetTooltip(const std::string& text, CRect) {
  if (text.empty()) {
    m_tooltip->Hide();
    return;
  }
  Host* host = Host::Current();
  if (!host) return;
  const CPoint at = host->GetCursorPos() + CPoint(12, 20);
  m_tooltip->Show(text, at, m_hwnd);
}

void PaintManager::ClearTooltip() {
  m_tooltip->Hide();
  m_tooltip_owner = 0;
}

void PaintManager::SetMessage(const std::string& text, CRect rect, MsgLevel level) {
  m_overlay->SetMessage(text, rect, level);
}

void PaintManager::SetProgress(int percent, const std::string& text, CRect rect) {
  m_overlay->SetProgress(percent, text, rect, GetClientSize());
}
