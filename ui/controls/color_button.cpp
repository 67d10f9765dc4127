// CColorButton: a colour swatch with the button click rule, checked within a
// group of swatches of the same owner, rendered in three cached frames.
//
// Frames 1 and 2 carry a ring (white for hover, the accent for pressed or
// checked) so that the checked swatch shows even without a face image.
#include <algorithm>

#include "QorUI/color_controls.h"
#include "QorUI/paint_manager.h"
#include "controls/control_helpers.h"

CColorButton::CColorButton(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  m_frames = 3;
}

void CColorButton::SetColor(COLORREF color) {
  if (color == m_color) return;
  m_color = color;
  UpdateControl(1);
}

int CColorButton::SetCheck(int check) {
  if (!m_enabled) return m_check;
  check = check ? 1 : 0;
  if (check == m_check) return m_check;
  m_check = check;
  if (m_check) UncheckGroup();
  UpdateControl(0);
  return m_check;
}

void CColorButton::SetControlCheck(int check) {
  check = check ? 1 : 0;
  if (check == m_check) return;
  m_check = check;
  UpdateControl(0);
}

void CColorButton::SetVisibleBorder(bool on) {
  if (on == m_border) return;
  m_border = on;
  UpdateControl(1);
}

void CColorButton::UncheckGroup() {
  for (MControl* c : controls::SiblingsOf(*this)) {
    if (!c->IsVisible() || !c->IsEnabled() || !c->IsClass("ColorButton")) continue;
    auto* other = dynamic_cast<CColorButton*>(c);
    if (other && other->m_group == m_group) other->SetControlCheck(0);
  }
}

int CColorButton::OnControlMouseMove(UINT, CPoint pt) {
  if (!m_enabled || m_state == 2) return 0;
  const int state = m_rect.PtInRect(pt) ? 1 : 0;
  if (state != m_state) {
    m_state = state;
    if (m_manager) m_manager->SetControlCursor(state ? CursorKind::kHand : CursorKind::kArrow);
    UpdateControl(0);
  }
  return state;
}

int CColorButton::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  m_state = 2;
  UpdateControl(0);
  SendMessageW(kNotifyPressed);
  return 1;
}

int CColorButton::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const bool pressed = m_state == 2;
  if (!m_rect.PtInRect(pt)) {
    m_state = 0;
    UpdateControl(0);
    return 1;
  }
  m_state = 1;
  if (pressed) SetCheck(1);
  UpdateControl(0);
  if (pressed) SendMessageW(kNotifyClicked);
  return 1;
}

void CColorButton::DrawControl(Canvas& dc, const CRect&) {
  controls::DrawStateFrames(*this, dc, 3, m_check ? 2 : m_state, [this](Canvas& mem, int i) {
    const CRect all(0, 0, m_rect.Width(), m_rect.Height());
    if (m_image) mem.DrawImage(*m_image, all, GetFrameRect(std::min(i, m_frames - 1)));
    CRect swatch = all;
    if (m_border) swatch.DeflateRect(2, 2);
    mem.FillRect(swatch, ArgbFromColorref(m_color));
    if (m_border) {
      mem.DrawRect(all, i == 0 ? kBorderOuter : i == 1 ? kHoverOuter : kCheckedOuter, 1);
      CRect inner = all;
      inner.DeflateRect(1, 1);
      mem.DrawRect(inner, kBorderInner, 1);
    } else if (i > 0) {
      mem.DrawRect(all, i == 1 ? kHoverOuter : kCheckedOuter, i);
    }
  });
}
