// Check and radio buttons: eight states, the click and space-key rules, radio
// groups among the owner's children, and the eight cached state frames.
#include <algorithm>

#include "QorUI/buttons.h"
#include "QorUI/paint_manager.h"
#include "controls/control_helpers.h"

CCheckButton::CCheckButton(MObject* parent, UINT id, CRect rect, const char* title, int visible,
                           int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1), m_state(enabled ? 0 : 3) {
  m_frames = 8;
}

void CCheckButton::InitControl(PaintManager* manager) {
  if (manager && !m_image) SetImage(DefaultImage(), 8);
}

int CCheckButton::RestingState(int hover) const {
  if (!m_enabled) return m_check ? 7 : 3;
  return (m_check ? 4 : 0) + (hover ? 1 : 0);
}

void CCheckButton::StoreCheck(int check) {
  m_check = check ? 1 : 0;
  m_state = RestingState(0);
  UpdateControl(0);
}

void CCheckButton::SetCheck(int check) {
  if (!m_enabled) return;
  StoreCheck(check);
}

void CCheckButton::Activate() {
  m_check = m_check ? 0 : 1;
}

void CCheckButton::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  m_state = RestingState(0);
}

int CCheckButton::OnControlMouseMove(UINT flags, CPoint pt) {
  if (!m_enabled) return 0;
  const bool inside = m_rect.PtInRect(pt);
  if (!(flags & MK_LBUTTON)) {
    const int state = RestingState(inside ? 1 : 0);
    if (state != m_state) {
      m_state = state;
      UpdateControl(0);
    }
  }
  return inside ? 1 : 0;
}

int CCheckButton::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  m_state = m_check ? 6 : 2;
  UpdateControl(0);
  return 1;
}

int CCheckButton::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const bool pressed = m_state == 2 || m_state == 6;
  if (!m_rect.PtInRect(pt)) {
    m_state = RestingState(0);
    UpdateControl(0);
    return 1;
  }
  if (pressed) Activate();
  m_state = RestingState(1);
  UpdateControl(0);
  if (pressed) SendMessageW(kNotifyClicked);
  return 1;
}

int CCheckButton::OnControlKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_SPACE && flags == 0 && m_enabled && IsFocused()) {
    Activate();
    m_state = RestingState(0);
    UpdateControl(0);
    SendMessageW(kNotifyCheckChanged, 0, m_check);
    return 1;
  }
  return MControlFont::OnControlKeyDown(key, repeat, flags);
}

void CCheckButton::DrawControl(Canvas& dc, const CRect&) {
  controls::DrawStateFrames(*this, dc, 8, m_state, [this](Canvas& mem, int i) {
    const int h = m_rect.Height();
    int text_left = 0;
    if (m_image) {
      const int frame = std::min(i, m_frames - 1);
      const int top = (h - m_frame_height) / 2;
      mem.DrawImage(*m_image, CRect(CPoint(0, top), CSize(m_frame_width, m_frame_height)),
                    GetFrameRect(frame));
      text_left = m_frame_width + kTextGap;
    }
    const ARGB color = (i == 3 || i == 7) ? kDisabledText : m_text_color;
    mem.DrawText(m_title, CRect(text_left, 0, m_rect.Width(), h), GetFontSpec(), color,
                 TextFormat{kAlignLeft, kAlignVCenter, false, false});
  });
}

void CRadioButton::SetCheck(int check) {
  if (!m_enabled) return;
  const int before = m_check;
  StoreCheck(check);
  if (m_check != before) UncheckGroup();
}

void CRadioButton::Activate() {
  m_check = 1;
  UncheckGroup();
}

void CRadioButton::UncheckGroup() {
  for (MControl* c : controls::SiblingsOf(*this)) {
    auto* other = c->IsClass("RadioButton") ? dynamic_cast<CRadioButton*>(c) : nullptr;
    if (other && other->m_group == m_group && other->m_check) other->StoreCheck(0);
  }
}
