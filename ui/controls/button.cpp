// MButton and its face variants: states, the click rule, and the four state
// frames rendered once into the cache so hover and press are block copies.
#include <algorithm>

#include "QorUI/buttons.h"
#include "QorUI/paint_manager.h"
#include "QorUI/render.h"
#include "controls/control_helpers.h"

namespace {
constexpr int kIconInset = 8;
}

MButton::MButton(MObject* parent, UINT id, CRect rect, const char* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1), m_state(enabled ? 0 : 3) {}

int MButton::SetIconImage(const char* file, int frames) {
  if (!m_manager || !file) return 0;
  ImgResInfo* info = m_manager->AddImgResInfo(file, frames);
  if (!info) return 0;
  m_icon = info->image.get();
  m_icon_frames = std::max(frames, 1);
  m_icon_width = m_icon->Width() / m_icon_frames;
  m_icon_height = m_icon->Height();
  RepaintIfVisible();
  return 1;
}

void MButton::SetTextRect(CRect rect) {
  if (rect == m_text_rect) return;
  m_text_rect = rect;
  RepaintIfVisible();
}

void MButton::SetState(int state) {
  if (state == m_state) return;
  m_state = state;
  UpdateControl(0);
}

void MButton::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  m_state = enabled ? kNormal : kDisabled;
}

int MButton::OnControlMouseMove(UINT, CPoint pt) {
  if (!m_enabled || m_state == kPressed) return 0;
  const bool inside = m_rect.PtInRect(pt);
  if (inside) {
    if (m_manager) m_manager->SetControlCursor(CursorKind::kHand);
    SetState(kHover);
  } else if (m_state == kHover) {
    if (m_manager) m_manager->SetControlCursor(CursorKind::kArrow);
    SetState(kNormal);
  }
  return inside ? 1 : 0;
}

int MButton::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  if (m_manager) m_manager->SetControlCursor(CursorKind::kHand);
  SetState(kPressed);
  SendMessageW(kNotifyPressed);
  return 1;
}

int MButton::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  if (!m_rect.PtInRect(pt)) {
    SetState(kNormal);
    return 1;
  }
  const bool was_pressed = m_state == kPressed;
  SetState(kHover);
  // Last: the owner may close the window from its handler.
  if (was_pressed) SendMessageW(kNotifyClicked);
  return 1;
}

void MButton::DrawControl(Canvas& dc, const CRect&) {
  controls::DrawStateFrames(*this, dc, 4, m_state,
                            [this](Canvas& mem, int i) { DrawFace(mem, i); });
}

void MButton::DrawFace(Canvas& mem, int state) {
  if (m_image) {
    const int frame = std::min(state, m_frames - 1);
    MRender::DrawImageFrame(mem, m_image, CRect(0, 0, m_rect.Width(), m_rect.Height()),
                            frame * m_frame_width, 0, m_frame_width, m_frame_height, kCorner);
  }
  DrawIcon(mem, state);
  DrawTitle(mem, state, m_font_style);
}

void MButton::DrawIcon(Canvas& mem, int state) const {
  if (!m_icon) return;
  const int frame = std::min(state, m_icon_frames - 1);
  const int x = m_title.empty() ? (m_rect.Width() - m_icon_width) / 2 : kIconInset;
  const int y = (m_rect.Height() - m_icon_height) / 2;
  mem.DrawImage(*m_icon, CRect(CPoint(x, y), CSize(m_icon_width, m_icon_height)),
                CRect(frame * m_icon_width, 0, (frame + 1) * m_icon_width, m_icon_height));
}

void MButton::DrawTitle(Canvas& mem, int state, int style) const {
  if (m_title.empty()) return;
  CRect box =
      m_text_rect.IsRectEmpty() ? CRect(0, 0, m_rect.Width(), m_rect.Height()) : m_text_rect;
  TextFormat format{kAlignCenter, kAlignVCenter, false, false};
  if (!m_text_rect.IsRectEmpty()) format = GetTextFormat();
  if (state == kPressed) box.OffsetRect(1, 1);
  const FontSpec font{m_font_face, m_font_size, style};
  mem.DrawText(m_title, box, font, state == kDisabled ? kDisabledText : m_text_color, format);
}

void CTextButton::DrawFace(Canvas& mem, int state) {
  DrawIcon(mem, state);
  DrawTitle(mem, state, state == kHover ? (m_font_style | FontStyleUnderline) : m_font_style);
}
