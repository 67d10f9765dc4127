// CirclePalette: the colour wheel. The picked colour is the wheel image's
// pixel under the thumb (the same colour the window shows there while the
// wheel is drawn unscaled); where the image has no opaque pixel, or there is
// no image, it is what the window shows at that point.
#include <cmath>
#include <cstdlib>

#include "QorUI/color_controls.h"
#include "QorUI/paint_manager.h"

CirclePalette::CirclePalette(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1),
      m_thumb(CPoint(rect.left + 100, rect.top + 30), CSize(kThumbSize, kThumbSize)) {
  m_frames = 1;
}

void CirclePalette::SetControlRect(CRect rect) {
  m_thumb.OffsetRect(rect.left - m_rect.left, rect.top - m_rect.top);
  m_last = m_last + CPoint(rect.left - m_rect.left, rect.top - m_rect.top);
  MControlFont::SetControlRect(rect);
}

int CirclePalette::GetDistanse(CPoint pt) const {
  const double dx = pt.x - (m_rect.left + m_rect.Width() / 2.0);
  const double dy = pt.y - (m_rect.top + m_rect.Height() / 2.0);
  return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

COLORREF CirclePalette::ColorAt(CPoint pt) const {
  if (m_image && m_rect.Width() > 0 && m_rect.Height() > 0) {
    const int x = (pt.x - m_rect.left) * m_image->Width() / m_rect.Width();
    const int y = (pt.y - m_rect.top) * m_image->Height() / m_rect.Height();
    const ARGB pixel = m_image->Pixels().GetPixel(x, y);
    if (ArgbAlpha(pixel) == 0xFF) return ColorrefFromArgb(pixel);
  }
  return m_manager ? ColorrefFromArgb(m_manager->GetBackBuffer().GetPixel(pt.x, pt.y)) : 0;
}

int CirclePalette::MoveThumbPos(CPoint pt) {
  if (GetDistanse(pt) > kPickRadius) return 0;
  m_last = pt;
  const CRect thumb(pt.x - kThumbSize / 2, pt.y - kThumbSize / 2, pt.x + kThumbSize / 2,
                    pt.y + kThumbSize / 2);
  if (thumb == m_thumb) return 1;
  m_thumb = thumb;
  m_color = ColorAt(pt);
  UpdateControl(1);
  SendMessageW(kNotifyColorChanged, 0, static_cast<LPARAM>(m_color));
  return 1;
}

int CirclePalette::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  if (m_thumb.PtInRect(pt)) m_drag = 2;
  MoveThumbPos(pt);
  return 1;
}

int CirclePalette::OnControlMouseMove(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  if (m_drag == 2) {
    if (std::abs(pt.x - m_last.x) < kDragSlack && std::abs(pt.y - m_last.y) < kDragSlack) return 1;
    MoveThumbPos(pt);
    return 1;
  }
  m_drag = m_thumb.PtInRect(pt) ? 1 : 0;
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int CirclePalette::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  m_drag = m_thumb.PtInRect(pt) ? 1 : 0;
  return 1;
}

void CirclePalette::DrawControl(Canvas& dc, const CRect&) {
  if (m_image) dc.DrawImage(*m_image, m_rect, GetFrameRect(0));
  const CPoint at = m_thumb.TopLeft();
  dc.DrawEllipse(CRect(at, CSize(8, 8)), kThumbLight, 1.0f);
  dc.DrawEllipse(CRect(at + CPoint(1, 1), CSize(8, 8)), kThumbDark, 1.0f);
}
