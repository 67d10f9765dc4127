// UpgradeButton: an MButton whose frames carry a red "1" badge while an
// update is available.
#include "QorUI/device_controls.h"

namespace {
constexpr int kBadgeFont = 8;
constexpr int kBadgeTextLeft = 15;  // the "1" box starts this far left of the right edge
}  // namespace

void UpgradeButton::SetUpgradeStatus(int status) {
  if (status == m_status) return;
  m_status = status;
  UpdateControl(1);
}

void UpgradeButton::DrawFace(Canvas& mem, int state) {
  MButton::DrawFace(mem, state);
  if (!m_status) return;
  const int w = m_rect.Width();
  mem.FillEllipse(CRect(w - kBadgeSize, 0, w, kBadgeSize), kBadgeColor);
  const CRect box(w - kBadgeTextLeft, 1, w - kBadgeTextLeft + kBadgeSize, 1 + kBadgeSize);
  mem.DrawText("1", box, FontSpec{m_font_face, kBadgeFont, m_font_style}, m_text_color,
               TextFormat{kAlignCenter, kAlignVCenter, false, false});
}
