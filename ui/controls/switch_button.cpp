// CSwitchButton: an on/off switch drawn as a track with a knob; the skin has
// no image for it, so the look is drawn here from the skin's palette.
#include <algorithm>

#include "QorUI/buttons.h"
#include "QorUI/paint_manager.h"
#include "controls/control_helpers.h"

namespace {
constexpr ARGB kTrackOff = 0xFF2E424C;
constexpr ARGB kTrackOffHover = 0xFF3A5460;
constexpr ARGB kTrackOn = 0xFF36CFC6;
constexpr ARGB kTrackOnHover = 0xFF5ADAD2;
constexpr ARGB kTrackDisabled = 0xFF1F2930;
constexpr ARGB kKnob = 0xFFFFFFFF;
constexpr ARGB kKnobDisabled = 0xFF46525B;
}  // namespace

CSwitchButton::CSwitchButton(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {}

void CSwitchButton::SetCheck(int on) {
  on = on ? 1 : 0;
  if (on == m_on) return;
  m_on = on;
  UpdateControl(0);
}

int CSwitchButton::OnControlMouseMove(UINT, CPoint pt) {
  return m_enabled ? controls::TrackHover(*this, m_hover, pt) : 0;
}

int CSwitchButton::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  m_pressed = 1;
  return 1;
}

int CSwitchButton::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const bool click = m_pressed && m_rect.PtInRect(pt);
  m_pressed = 0;
  if (!click) return 1;
  m_on = m_on ? 0 : 1;
  UpdateControl(0);
  SendMessageW(kNotifyClicked, 0, m_on);
  return 1;
}

// Frames: off, off hover, on, on hover, disabled off, disabled on.
void CSwitchButton::DrawControl(Canvas& dc, const CRect&) {
  const int shown = m_enabled ? m_on * 2 + m_hover : 4 + m_on;
  controls::DrawStateFrames(*this, dc, 6, shown, [this](Canvas& mem, int i) {
    const bool on = i == 2 || i == 3 || i == 5;
    const bool disabled = i >= 4;
    const bool hover = i == 1 || i == 3;
    const int h = std::min(m_rect.Height(), m_rect.Width() / 2);
    const int w = h * 2;
    const int y = (m_rect.Height() - h) / 2;
    const ARGB track = disabled ? kTrackDisabled
                       : on     ? (hover ? kTrackOnHover : kTrackOn)
                                : (hover ? kTrackOffHover : kTrackOff);
    // A pill: two end circles joined by a rectangle (all opaque, so overlaps do not show).
    mem.FillEllipse(CRect(0, y, h, y + h), track);
    mem.FillEllipse(CRect(w - h, y, w, y + h), track);
    mem.FillRect(CRect(h / 2, y, w - h / 2, y + h), track);
    const int knob = h - 4;
    const int left = on ? w - h + 2 : 2;
    mem.FillEllipse(CRect(CPoint(left, y + 2), CSize(knob, knob)),
                    disabled ? kKnobDisabled : kKnob);
  });
}
