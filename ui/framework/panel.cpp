// MPanel and MTabLayout: child factories, notification forwarding, repaint
// marking among the children, and scrolling of an oversized content.
#include "QorUI/panel.h"

#include <algorithm>

#include "QorUI/control_factory.h"
#include "QorUI/paint_manager.h"

MPanel::MPanel(MObject* parent, UINT id, CRect rect, int visible)
    : MControlFont(parent, id, rect, "", visible, 1, 1) {
  m_vscroll =
      static_cast<CScrollVertical*>(AddChild(std::make_unique<CScrollVertical>(this, 1, CRect())));
  m_hscroll = static_cast<CScrollHorizontal*>(
      AddChild(std::make_unique<CScrollHorizontal>(this, 2, CRect())));
}

MControl* MPanel::CreateArea(const char* class_name, UINT id, CRect rect, const char* title,
                             int visible, int enabled) {
  return CreateControl(0, this, class_name, id, rect, title, visible, enabled);
}

MControl* MPanel::CreateControl(UINT layer, MObject* parent, const char* class_name, UINT id,
                                CRect rect, const char* title, int visible, int enabled) {
  auto control = ControlFactory::Create(ControlFactory::Table::kPanel, parent, class_name, id, rect,
                                        title, visible, enabled);
  if (!control) return nullptr;
  if (m_manager) control->SetManager(m_manager);
  return AddChild(std::move(control), layer == 0 ? 0 : 1);
}

MControl* MPanel::CreateControl(const char* class_name, UINT id, CRect rect, const char* title,
                                int visible, int enabled) {
  return CreateControl(1, this, class_name, id, rect, title, visible, enabled);
}

void MPanel::InitControl(PaintManager* manager) {
  for (const ControlList* list : {&m_controls, &m_areas})
    for (auto& child : *list)
      if (child->GetManager() != manager) child->SetManager(manager);
}

LRESULT MPanel::OnBaseMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  return OnMessage(id, code, wParam, lParam);
}

LRESULT MPanel::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  // Moving a scroll bar moves the content.
  if ((id == 1 || id == 2) && code == kNotifyPositionChanged) UpdateControl(0);
  return m_parent ? m_parent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

LRESULT MPanel::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  for (std::size_t i = 0; i < m_controls.size(); ++i)
    if (LRESULT r = m_controls[i]->OnWindowMessage(msg, wParam, lParam)) return r;
  return 0;
}

LRESULT MPanel::OnControlUpdate(CRect rect, int redraw, MControl* control) {
  if (!control) return 0;
  if (m_manager && !m_manager->OnUiThread()) {
    m_manager->QueueUpdate(control, &rect, redraw, 1);
    return 0;
  }
  if (redraw) control->SetUpdate(0);
  bool after = false;
  CRect overlap;
  for (const ControlList* list : {&m_areas, &m_controls}) {
    for (auto& c : *list) {
      if (c.get() == control) {
        after = true;
        continue;
      }
      if (after && c->IsVisible() && overlap.IntersectRect(c->GetRect(), rect)) c->SetUpdate(0);
    }
  }
  if (!m_parent || !m_visible) return 0;
  // The whole panel is repainted: that also covers the shifted content.
  return m_parent->OnControlUpdate(m_rect, 0, this);
}

void MPanel::SetUpdate(int valid, DWORD color) {
  m_cache_valid = valid;
  // Scrolled children lie outside the panel's rectangle: all are marked.
  for (const ControlList* list : {&m_areas, &m_controls})
    for (auto& child : *list) child->SetUpdate(valid, color);
}

bool MPanel::IsScrolling() const {
  return m_enable_scroll &&
         (m_virtual_height > m_rect.Height() || m_virtual_width > m_rect.Width());
}

CPoint MPanel::GetScrollOffset() const {
  if (!IsScrolling()) return CPoint(0, 0);
  CPoint off;
  if (m_vscroll->GetRange() > 0 && m_virtual_height > m_rect.Height())
    off.y = m_vscroll->GetPos() * (m_virtual_height - m_rect.Height()) / m_vscroll->GetRange();
  if (m_hscroll->GetRange() > 0 && m_virtual_width > m_rect.Width())
    off.x = m_hscroll->GetPos() * (m_virtual_width - m_rect.Width()) / m_hscroll->GetRange();
  return off;
}

int MPanel::OnMousePointChange(CPoint& pt) {
  pt = pt + GetScrollOffset();
  return 1;
}

void MPanel::SetControlRect(CRect rect) {
  m_rect = rect;
  m_virtual_height = m_pending_height;
  m_virtual_width = m_pending_width;
  m_pending_height = m_pending_width = 0;
  for (auto& child : m_controls) {
    if (child->GetControlID() == 1)
      child->SetControlRect(
          CRect(rect.right - kScrollThickness, rect.top, rect.right, rect.bottom));
    if (child->GetControlID() == 2)
      child->SetControlRect(
          CRect(rect.left, rect.bottom - kScrollThickness, rect.right, rect.bottom));
  }
  m_vscroll->SetRange(m_virtual_height);
  m_hscroll->SetRange(m_virtual_width);
  m_vscroll->SetControlVisible(m_enable_scroll && rect.Height() < m_virtual_height);
  m_hscroll->SetControlVisible(m_enable_scroll && rect.Width() < m_virtual_width);
  SetUpdate(0);
}

void MPanel::SetControlVisible(int visible) {
  m_visible = visible;
  SetControlWndVisible(visible);
}

void MPanel::SetControlWndVisible(int visible) {
  for (const ControlList* list : {&m_areas, &m_controls})
    for (auto& child : *list) child->SetControlWndVisible(visible && child->IsVisible());
}

int MPanel::DrawSubControls(Canvas& dc, const CRect& dirty) {
  auto is_bar = [this](const MControl* c) { return c == m_vscroll || c == m_hscroll; };
  if (!IsScrolling()) {
    for (auto& child : m_controls)
      if (child->IsVisible()) child->Draw(dc, dirty);
    return 1;
  }
  // The content is drawn in its own coordinates into a buffer reaching as far
  // as the scrolled view, then the view is copied into the panel.
  CRect view;
  if (!view.IntersectRect(dirty, m_rect)) return 1;
  const CPoint off = GetScrollOffset();
  CRect content = view;
  content.OffsetRect(off);
  m_content.Resize(std::max(m_content.Width(), content.right),
                   std::max(m_content.Height(), content.bottom));
  m_content.DrawCanvas(dc, view, content.TopLeft());
  for (auto& child : m_controls)
    if (child->IsVisible() && !is_bar(child.get())) child->Draw(m_content, content);
  dc.DrawCanvas(m_content, content, view.TopLeft());
  for (auto& child : m_controls)
    if (child->IsVisible() && is_bar(child.get())) child->Draw(dc, dirty);
  return 1;
}

int MPanel::OnControlScroll(int, UINT flags, CPoint) {
  if (!IsScrolling() || m_virtual_height <= m_rect.Height()) return 0;
  if (m_vscroll->StepBy(flags)) UpdateControl(0);
  return 1;
}

MTabLayout::MTabLayout(MObject* parent, UINT id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible) {
  SetRunTimer(1);
}

int MTabLayout::OnCheckMouseResponse(UINT, CPoint pt) {
  const CPoint content = pt + GetScrollOffset();
  for (auto& child : m_controls)
    if (child->IsVisible() && child->PtInRect(child->GetControlID() <= 2 ? pt : content)) return 1;
  return 0;
}
