// MControl: the control tree, event routing down it, repaint requests up it,
// and the state cache contract.
#include "QorUI/control.h"

#include <algorithm>
#include <cstring>

#include "QorUI/paint_manager.h"

MControl::MControl(MObject* parent, UINT id, CRect rect, int visible, int enabled, int response)
    : m_parent(parent),
      m_id(id),
      m_rect(rect),
      m_visible(visible),
      m_enabled(enabled),
      m_response(response) {}

MControl::~MControl() {
  RemoveAllControl();
  if (m_manager) m_manager->ForgetControl(this);
}

LRESULT MControl::OnControlUpdate(CRect rect, int redraw, MControl* control) {
  if (m_manager && !m_manager->OnUiThread()) {
    m_manager->QueueUpdate(control, &rect, redraw, 1);
    return 0;
  }
  if (redraw && control) control->SetUpdate(0);
  // The repaint is of this control's area; its own cache stays.
  return m_parent ? m_parent->OnControlUpdate(rect, 0, this) : 0;
}

void MControl::InitControl(PaintManager*) {}
int MControl::PtInRect(CPoint pt) {
  return m_visible && m_rect.PtInRect(pt) ? 1 : 0;
}

int MControl::DrawSubControls(Canvas& dc, const CRect& dirty) {
  for (auto& child : m_controls)
    if (child->IsVisible()) child->Draw(dc, dirty);
  return 1;
}

int MControl::IsDraw(CPoint) {
  return 0;
}

void MControl::SetUpdate(int valid, DWORD color) {
  m_cache_valid = valid;
  CRect overlap;
  for (auto& child : m_controls)
    if (overlap.IntersectRect(child->GetRect(), m_rect)) child->SetUpdate(valid, color);
}

int MControl::SetControlFocus(int focus) {
  m_focused = focus;
  if (!focus)
    for (auto& child : m_controls)
      if (child->IsFocused()) child->SetControlFocus(0);
  return 0;
}

void MControl::InitUI(CRect) {}
int MControl::OnMousePointChange(CPoint&) {
  return 0;
}
int MControl::OnCheckMouseResponse(UINT, CPoint) {
  return 1;
}
LRESULT MControl::OnWindowMessage(UINT, WPARAM, LPARAM) {
  return 0;
}
LRESULT MControl::OnMessage(UINT, UINT, WPARAM, LPARAM) {
  return 0;
}
void MControl::SetControlRect(CRect rect) {
  m_rect = rect;
}
void MControl::SetControlVisible(int visible) {
  m_visible = visible;
}
void MControl::SetControlWndVisible(int) {}
void MControl::SetControlEnabled(int enabled) {
  m_enabled = enabled;
}
int MControl::OnControlTimer() {
  return 0;
}
int MControl::OnControlMouseMove(UINT, CPoint) {
  return 0;
}

int MControl::OnControlSetCursor(UINT, CPoint pt) {
  if (!m_has_cursor || !m_rect.PtInRect(pt) || !m_manager) return 0;
  m_manager->SetControlCursor(m_cursor);
  return 1;
}

int MControl::OnControlLButtonDown(UINT, CPoint) {
  return 0;
}
int MControl::OnControlLButtonUp(UINT, CPoint) {
  return 0;
}
int MControl::OnControlLButtonDblClk(UINT, CPoint) {
  return 0;
}
int MControl::OnControlScroll(int, UINT, CPoint) {
  return 0;
}
int MControl::OnControlRButtonDown(UINT, CPoint) {
  return 0;
}
int MControl::OnControlRButtonUp(UINT, CPoint) {
  return 0;
}
int MControl::OnControlRButtonDblClk(UINT, CPoint) {
  return 0;
}

int MControl::OnControlKeyDown(UINT key, UINT, UINT flags) {
  return key != 0 && key == m_accel_key && flags == m_accel_flags ? 1 : 0;
}

void MControl::OnPositionChange() {}

void MControl::InvalidateRect(const CRect*, int) {
  if (m_manager) m_manager->InvalidateRect(m_rect);
}

void MControl::SetManager(PaintManager* manager) {
  m_manager = manager;
  InitControl(manager);
}

MControl* MControl::GetControl(UINT id) const {
  for (const ControlList* list : {&m_controls, &m_areas}) {
    for (auto& child : *list) {
      if (child->GetControlID() == id) return child.get();
      if (MControl* found = child->GetControl(id)) return found;
    }
  }
  return nullptr;
}

MControl* MControl::AddChild(std::unique_ptr<MControl> child, int layer) {
  if (!child) return nullptr;
  MControl* raw = child.get();
  if (m_manager && !raw->GetManager()) raw->SetManager(m_manager);
  (layer == 0 ? m_areas : m_controls).push_back(std::move(child));
  return raw;
}

int MControl::RemoveControl(MControl* child) {
  if (!child) return 0;
  if (m_manager && m_manager->GetFocusControl() == child) m_manager->SetFocusControl(nullptr);
  auto it = std::find_if(m_controls.begin(), m_controls.end(),
                         [child](auto& c) { return c.get() == child; });
  if (it == m_controls.end()) return 0;
  std::unique_ptr<MControl> owned = std::move(*it);
  m_controls.erase(it);
  if (m_active == child) m_active = nullptr;
  if (m_manager) m_manager->DeferDelete(std::move(owned));
  return 0;
}

void MControl::RemoveAllControl() {
  m_active = nullptr;
  // Children are destroyed last-first so later ones never see earlier ones gone.
  while (!m_controls.empty()) m_controls.pop_back();
  while (!m_areas.empty()) m_areas.pop_back();
}

void MControl::SetRect(CRect rect) {
  const CRect old = m_rect;
  SetControlRect(rect);
  if (m_visible && m_parent) {
    CRect both;
    both.UnionRect(old, m_rect);
    m_parent->OnControlUpdate(both, 1, this);
  }
}

void MControl::SetRect(int x, int y, int cx, int cy) {
  SetRect(CRect(x, y, x + cx, y + cy));
}

void MControl::SetVisible(int visible) {
  SetVisible(visible, 1);
}

void MControl::SetVisible(int visible, int repaint) {
  if ((visible != 0) == (m_visible != 0)) return;
  SetControlVisible(visible);
  if (repaint && m_parent) m_parent->OnControlUpdate(m_rect, 1, this);
}

void MControl::SetEnabled(int enabled) {
  if ((enabled != 0) == (m_enabled != 0)) return;
  SetControlEnabled(enabled);
  if (m_visible && m_parent) m_parent->OnControlUpdate(m_rect, 1, this);
}

int MControl::IsParentVisible() const {
  if (!m_parent) return 0;
  if (m_parent->IsClass("MDialog")) return 1;
  auto* control = dynamic_cast<const MControl*>(m_parent);
  if (!control) return 1;  // another kind of window: its controls show while it does
  return control->IsVisible() && control->IsParentVisible() ? 1 : 0;
}

// Off the UI thread a request reads and writes nothing of the tree: it is
// queued whole and walks up the parents on the UI thread.
void MControl::UpdateControl(int redraw, int force) {
  if (m_manager && !m_manager->OnUiThread())
    return m_manager->QueueUpdate(this, nullptr, redraw, force);
  UpdateControl(m_rect, redraw, force);
}

void MControl::UpdateControl(CRect rect, int redraw, int force) {
  if (m_manager && !m_manager->OnUiThread())
    return m_manager->QueueUpdate(this, &rect, redraw, force);
  if ((m_visible || force) && m_parent) m_parent->OnControlUpdate(rect, redraw, this);
}

void MControl::UpdateAControl(int redraw, int force) {
  if (m_manager && !m_manager->OnUiThread())
    return m_manager->QueueUpdate(this, nullptr, redraw, force, true);
  m_animate = !redraw;
  UpdateControl(0, force);
}

Canvas& MControl::UpdateMemDC(Canvas&, int cx, int cy) {
  m_cache_valid = 1;
  if (m_cache.Width() != cx || m_cache.Height() != cy) m_cache = Canvas(cx, cy);
  return m_cache;
}

Canvas& MControl::UpdateAnimateDC(Canvas&, int cx, int cy) {
  m_anim_cache = Canvas(cx, cy);
  m_animate = 1;
  return m_anim_cache;
}

CPoint MControl::PointFor(const MControl& child, CPoint raw, CPoint translated) const {
  const UINT id = child.GetControlID();
  return id == 1 || id == 2 ? raw : translated;
}

bool MControl::Accepts(const MControl& child, CPoint pt) const {
  return child.IsVisible() && child.IsEnabled() && child.GetRresponse() &&
         const_cast<MControl&>(child).PtInRect(pt);
}

void MControl::MoveFocusHere() {
  if (!m_manager || m_manager->GetFocusControl() == this) return;
  m_manager->SetFocusControl(this);
}

int MControl::IsFocusControl() const {
  return m_manager && m_manager->GetFocusControl() == this ? 1 : 0;
}

template <typename Fn>
int MControl::RouteButtonDown(UINT, CPoint pt, Fn&& own) {
  if (!m_visible || !m_response) return 0;
  const CPoint raw = pt;
  OnMousePointChange(pt);
  m_pressed_inside = m_rect.PtInRect(raw) ? 1 : 0;
  m_active = nullptr;
  for (auto& child : m_controls)
    if (Accepts(*child, PointFor(*child, raw, pt))) m_active = child.get();
  if (m_active) return own(*m_active, PointFor(*m_active, raw, pt), true);
  MoveFocusHere();
  return own(*this, raw, false);
}

template <typename Fn>
int MControl::RouteButtonUp(UINT flags, CPoint pt, Fn&& own) {
  (void)flags;
  if (!m_visible || !m_response) return 0;
  const CPoint raw = pt;
  OnMousePointChange(pt);
  m_pressed_inside = 0;
  if (m_active) return own(*m_active, PointFor(*m_active, raw, pt), true);
  return own(*this, raw, false);
}

int MControl::OnLButtonDown(UINT flags, CPoint pt) {
  return RouteButtonDown(flags, pt, [flags](MControl& c, CPoint p, bool child) {
    return child ? c.OnLButtonDown(flags, p) : c.OnControlLButtonDown(flags, p);
  });
}

int MControl::OnRButtonDown(UINT flags, CPoint pt) {
  return RouteButtonDown(flags, pt, [flags](MControl& c, CPoint p, bool child) {
    return child ? c.OnRButtonDown(flags, p) : c.OnControlRButtonDown(flags, p);
  });
}

int MControl::OnLButtonUp(UINT flags, CPoint pt) {
  return RouteButtonUp(flags, pt, [flags](MControl& c, CPoint p, bool child) {
    return child ? c.OnLButtonUp(flags, p) : c.OnControlLButtonUp(flags, p);
  });
}

int MControl::OnRButtonUp(UINT flags, CPoint pt) {
  return RouteButtonUp(flags, pt, [flags](MControl& c, CPoint p, bool child) {
    return child ? c.OnRButtonUp(flags, p) : c.OnControlRButtonUp(flags, p);
  });
}

template <typename Down, typename Dbl, typename Own>
int MControl::RouteDoubleClick(UINT flags, CPoint pt, Down&& as_press, Dbl&& child_dbl, Own&& own) {
  if (!m_visible || !m_response) return 0;
  const CPoint raw = pt;
  OnMousePointChange(pt);
  m_pressed_inside = 0;
  if (m_active) {
    MControl* child = m_active;
    const CPoint p = PointFor(*child, raw, pt);
    int r = child_dbl(*child, p);
    if (!r && !child->GetDblClk()) r = as_press(*child, p);
    return r;
  }
  if (!m_dblclk) return as_press(*this, raw);
  if (m_dblclk_notify && m_rect.PtInRect(raw)) {
    CPoint at = raw;
    SendMessageW(kNotifyDoubleClick, flags, reinterpret_cast<LPARAM>(&at));
  }
  return own(*this, raw);
}

int MControl::OnLButtonDblClk(UINT flags, CPoint pt) {
  return RouteDoubleClick(
      flags, pt, [flags](MControl& c, CPoint p) { return c.OnLButtonDown(flags, p); },
      [flags](MControl& c, CPoint p) { return c.OnLButtonDblClk(flags, p); },
      [flags](MControl& c, CPoint p) { return c.OnControlLButtonDblClk(flags, p); });
}

int MControl::OnRButtonDblClk(UINT flags, CPoint pt) {
  return RouteDoubleClick(
      flags, pt, [flags](MControl& c, CPoint p) { return c.OnRButtonDown(flags, p); },
      [flags](MControl& c, CPoint p) { return c.OnRButtonDblClk(flags, p); },
      [flags](MControl& c, CPoint p) { return c.OnControlRButtonDblClk(flags, p); });
}

int MControl::OnMouseMove(UINT flags, CPoint pt) {
  if (!m_visible || !m_response) return 0;
  const CPoint raw = pt;
  OnMousePointChange(pt);
  if (m_active) {
    const CPoint p = PointFor(*m_active, raw, pt);
    if ((m_active->PtInRect(p) && m_active->OnCheckMouseResponse(flags, p)) || m_pressed_inside)
      return m_active->OnMouseMove(flags, p);
  }
  const bool had_active = m_active != nullptr;
  m_active = nullptr;
  const bool inside = m_rect.PtInRect(raw);
  if (!m_tooltip.empty() && inside && OnCheckMouseResponse(flags, raw) && m_manager &&
      m_manager->GetTooltipCtrlID() != m_id) {
    m_manager->SetTooltip(m_tooltip, m_rect);
    m_manager->SetTooltipCtrlID(m_id);
  }
  OnControlSetCursor(flags, raw);
  OnControlMouseMove(flags, raw);
  if (m_hover_tracking) m_mouse_outside = inside ? 0 : 1;
  bool handled = false;
  if (!m_pressed_inside) {
    // The topmost child under the pointer becomes the active one, leaf or
    // not, so the wheel and keys reach it before this control.
    for (auto& child : m_controls) {
      const CPoint p = PointFor(*child, raw, pt);
      const bool took = child->OnMouseMove(flags, p) != 0;
      handled = handled || took;
      if ((took && child->PtInRect(p)) ||
          (Accepts(*child, p) && child->OnCheckMouseResponse(flags, p)))
        m_active = child.get();
    }
  }
  return handled || had_active || m_active ? 1 : 0;
}

int MControl::OnScroll(int delta, UINT flags, CPoint pt) {
  if (!m_visible || !m_response || !m_enabled) return 0;
  const CPoint raw = pt;
  OnMousePointChange(pt);
  if (m_active) {
    const CPoint p = PointFor(*m_active, raw, pt);
    if (m_active->PtInRect(p) && m_active->OnCheckMouseResponse(flags, p))
      if (int r = m_active->OnScroll(delta, flags, p)) return r;
  }
  if (!m_rect.PtInRect(raw)) return 0;
  if (OnControlScroll(delta, flags, raw)) return 1;
  for (auto& child : m_controls) {
    const CPoint p = PointFor(*child, raw, pt);
    if (child->PtInRect(p) && child->OnScroll(delta, flags, p)) return 1;
  }
  return 0;
}

MControl* MControl::FocusedDescendant() {
  // Only the window's focus control carries the focused flag, not the
  // containers around it, so the flags alone find it among the direct
  // children only; deeper down it is found by walking up from it.
  MControl* focus = m_manager ? m_manager->GetFocusControl() : nullptr;
  for (MControl* c = focus; c; c = dynamic_cast<MControl*>(c->m_parent))
    if (c == this) return focus;
  MControl* target = this;
  for (;;) {
    auto it = std::find_if(target->m_controls.begin(), target->m_controls.end(),
                           [](auto& c) { return c->IsFocused(); });
    if (it == target->m_controls.end()) return target;
    target = it->get();
  }
}

int MControl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  MControl* target = FocusedDescendant();
  int handled = 0;
  if (target->m_active) handled = target->m_active->OnControlKeyDown(key, repeat, flags);
  if (!handled) handled = target->OnControlKeyDown(key, repeat, flags);
  if (!handled) {
    for (auto& child : target->m_controls) {
      if (child->OnControlKeyDown(key, repeat, flags)) {
        handled = 1;
        break;
      }
    }
  }
  target->SendMessageW(kNotifyKeyDown, key, flags);
  return handled;
}

int MControl::OnTimer() {
  int result = OnControlTimer();
  for (auto& child : m_controls)
    if (child->IsVisible() && child->IsRunTimer() && child->OnTimer()) result = 1;
  return result ? 1 : 0;
}

void MControl::Draw(Canvas& dc, const CRect& dirty) {
  CRect overlap;
  if (!m_visible || !overlap.IntersectRect(m_rect, dirty)) return;
  for (auto& area : m_areas)
    if (overlap.IntersectRect(area->GetRect(), m_rect)) area->Draw(dc, dirty);
  DrawControl(dc, dirty);
  DrawSubControls(dc, dirty);
}

LRESULT MControl::SendMessageW(UINT code, WPARAM wParam, LPARAM lParam) {
  return m_parent ? m_parent->OnBaseMessage(m_id, code, wParam, lParam) : 0;
}

void MControl::SetTooltip(const std::string& text, CRect rect) {
  if (!m_manager) return;
  m_manager->SetTooltip(text, rect);
  m_manager->SetTooltipCtrlID(m_id);
}

void MControl::ClearTooltip() {
  if (!m_manager) return;
  m_manager->ClearTooltip();
}

int MControl::SetCursorEx(const char* name) {
  static const std::pair<const char*, CursorKind> kNames[] = {
      {kCursorArrow, CursorKind::kArrow},   {kCursorWait, CursorKind::kWait},
      {kCursorCross, CursorKind::kCross},   {kCursorSizeWE, CursorKind::kSizeWE},
      {kCursorSizeNS, CursorKind::kSizeNS}, {kCursorHand, CursorKind::kHand},
      {kCursorHelp, CursorKind::kHelp}};
  if (!name) return 0;
  for (auto [known, kind] : kNames) {
    if (std::strcmp(known, name) == 0) {
      m_cursor = kind;
      m_has_cursor = true;
    }
  }
  return 0;
}

int MControl::AddMTimer() {
  return m_manager ? m_manager->AddMTimer(this) : 0;
}

int MControl::PositionItem2Value(const ZYN_POSITION_ITEM& item, int low, int high) {
  const float v = item.value;
  switch (item.mode) {
    case 0:
      return static_cast<int>(item.from_end ? high - v : low + v);
    case 1:
      return static_cast<int>(low + (item.from_end ? -v : v) + (high - low) / 2);
    case 2:
      return std::min(high, static_cast<int>(low + (high - low) * v / 100));
    default:
      return 0;
  }
}
