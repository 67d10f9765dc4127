// CArea: a translucent colour over the background, drawn straight into the
// window's buffer (a blend costs no more than a cached copy).
#include "QorUI/static_controls.h"

CArea::CArea(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 0) {}

void CArea::SetTransparent(int alpha_from, int alpha_to, COLORREF color, int vertical) {
  m_alpha_from = alpha_from;
  m_alpha_to = alpha_to;
  m_color = color;
  m_vertical = vertical;
  UpdateControl(1);
}

void CArea::SetFrame(int on, ARGB color, int width) {
  m_frame = on ? 1 : 0;
  m_frame_color = color;
  m_frame_width = width > 0 ? width : 1;
  UpdateControl(1);
}

void CArea::DrawControl(Canvas& dc, const CRect&) {
  auto alpha = [](int a) { return static_cast<BYTE>(a < 0 ? 0 : a > 255 ? 255 : a); };
  dc.FillGradient(m_rect, ArgbFromColorref(m_color, alpha(m_alpha_from)),
                  ArgbFromColorref(m_color, alpha(m_alpha_to)), m_vertical != 0);
  if (m_frame) dc.DrawRect(m_rect, m_frame_color, m_frame_width);
}
