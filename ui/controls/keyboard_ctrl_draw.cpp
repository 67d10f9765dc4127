// KeyboardCtrl drawing: the cached picture with the keys of the current mode,
// and the selection band drawn over it.
#include <algorithm>
#include <cmath>

#include "QorUI/keyboard_ctrl.h"
#include "QorUI/manager.h"
#include "QorUI/render.h"
#include "controls/control_helpers.h"

namespace {
constexpr int kBandPen = 2;
constexpr int kBandDot = 4;  // a dot and a gap of this length each
}  // namespace

void KeyboardCtrl::DrawControl(Canvas& dc, const CRect&) {
  controls::DrawCached(*this, dc, [this](Canvas& mem) { RenderKeys(mem); });
  if (m_mode == kModeKeySelect && m_band_shown) DrawBand(dc);
}

void KeyboardCtrl::RenderKeys(Canvas& mem) const {
  auto in_control = [this](const KEY_INFO& k) {
    CRect r = k.rect;
    r.OffsetRect(m_origin);
    return r;
  };
  if (m_mode == kModeKeyMap) {
    for (auto& k : m_keys) {
      CRect fill = in_control(*k);
      fill.DeflateRect(1, 1);
      mem.FillRect(fill, kKeyFill);
      DrawLabel(mem, *k, in_control(*k));
    }
    return;
  }
  if (m_mode < kModeKeySelect || m_mode > kModeMusic || !m_picture) return;
  // A layout that gives no size shows the picture at its own.
  const CSize size = m_picture_size.cx > 0 && m_picture_size.cy > 0
                         ? m_picture_size
                         : CSize(m_picture->Width(), m_picture->Height());
  mem.DrawImage(*m_picture, CRect(m_origin, size), CRect(CPoint(0, 0), size));
  const std::size_t count = m_keys.size();
  for (std::size_t i = 0; i < count; ++i) {
    const KEY_INFO& k = *m_keys[i];
    ARGB pen;
    if (m_mode == kModeKeySelect) {
      const int index = static_cast<int>(i);
      if (!k.check && index != m_hover && index != m_selected) continue;
      pen = kSelectOutline;
    } else if (m_mode == kModeLightPreview) {
      const std::size_t at = static_cast<std::size_t>(m_frame_index) * count + i;
      const BYTE level = m_light.empty() || at >= m_light.size() ? 255 : m_light[at];
      pen = MakeArgb(level, 0x00, 0xFF, 0xFF);
    } else {
      pen = ArgbFromColorref(k.color);
    }
    const CRect r = in_control(k);
    MRender::DrawRoundRectange(mem, static_cast<float>(r.left), static_cast<float>(r.top),
                               static_cast<float>(r.Width()), static_cast<float>(r.Height()),
                               kOutlineDivisor, pen, kOutlineWidth, false, 0);
  }
}

void KeyboardCtrl::DrawLabel(Canvas& mem, const KEY_INFO& key, const CRect& box) const {
  const FontSpec font{Manager::GetFontName(), static_cast<int>(std::lround(m_scale * 10)),
                      m_font_style};
  const TextFormat centred{kAlignCenter, kAlignVCenter, false, false};
  auto label = [&](const CRect& where) {
    CRect shadow = where;
    shadow.OffsetRect(1, 1);
    mem.DrawText(key.name, shadow, font, kLabelShadow, centred);
    mem.DrawText(key.name, where, font, kLabelColor, centred);
  };
  if (!key.icon) {
    label(box);
    return;
  }
  const CRect src(0, 0, key.icon_width, key.icon_height);
  const int left = box.left + (box.Width() - key.icon_width) / 2;
  if (key.name.empty()) {
    const int top = box.top + (box.Height() - key.icon_height) / 2;
    mem.DrawImage(*key.icon, CRect(CPoint(left, top), src.Size()), src);
    return;
  }
  label(CRect(box.left, box.top, box.right, box.bottom - kIconLift));
  mem.DrawImage(*key.icon, CRect(CPoint(left, box.bottom - kIconLift), src.Size()), src);
}

// A dotted two-pixel outline between the band corners, over the control.
void KeyboardCtrl::DrawBand(Canvas& dc) const {
  const CRect band = GetBandRect();
  dc.Save();
  dc.IntersectClip(m_rect);
  for (int x = band.left; x < band.right; x += 2 * kBandDot) {
    const int end = std::min(x + kBandDot, band.right);
    dc.FillRect(CRect(x, band.top, end, band.top + kBandPen), kBandColor);
    dc.FillRect(CRect(x, band.bottom - kBandPen, end, band.bottom), kBandColor);
  }
  for (int y = band.top; y < band.bottom; y += 2 * kBandDot) {
    const int end = std::min(y + kBandDot, band.bottom);
    dc.FillRect(CRect(band.left, y, band.left + kBandPen, end), kBandColor);
    dc.FillRect(CRect(band.right - kBandPen, y, band.right, end), kBandColor);
  }
  dc.Restore();
}
