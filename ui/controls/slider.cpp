// MSlider: value and thumb geometry, dragging, the wheel, and drawing.
#include "QorUI/slider.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "QorUI/paint_manager.h"
#include "QorUI/render.h"

namespace {
constexpr int kThumbFrames = 4;
}

MSlider::MSlider(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  m_frames = 1;
}

void MSlider::SetMinProgress(int minimum) {
  m_min = minimum;
  if (m_max < m_min) m_max = m_min;
  ChangeValue(m_value);
  UpdateControl(1);
}

void MSlider::SetMaxProgress(int maximum) {
  m_max = maximum;
  if (m_min > m_max) m_min = m_max;
  ChangeValue(m_value);
  UpdateControl(1);
}

void MSlider::SetProgress(int value) {
  ChangeValue(value);
}

bool MSlider::ChangeValue(int value) {
  value = std::clamp(value, m_min, m_max);
  if (value == m_value) return false;
  m_value = value;
  UpdateControl(1);
  return true;
}

int MSlider::SetThumbImage(const char* file) {
  if (!m_manager || !file) return 0;
  ImgResInfo* info = m_manager->AddImgResInfo(file, kThumbFrames);
  if (!info) return 0;
  m_thumb = info->image.get();
  m_thumb_size = CSize(m_thumb->Width() / kThumbFrames, m_thumb->Height());
  UpdateControl(1);
  return 1;
}

void MSlider::SetShowText(int on) {
  m_show_text = on ? 1 : 0;
  UpdateControl(1);
}

void MSlider::SetScale(double scale) {
  m_scale = scale;
  UpdateControl(1);
}

CRect MSlider::GetThumbRect() const {
  const int free = m_rect.Width() - m_thumb_size.cx;
  const int span = m_max - m_min;
  const int left = span > 0 ? free * (m_value - m_min) / span : 0;
  const int top = (m_rect.Height() - m_thumb_size.cy) / 2;
  return CRect(CPoint(m_rect.left + left, m_rect.top + top), m_thumb_size);
}

void MSlider::SetThumbState(int state) {
  if (state == m_thumb_state) return;
  m_thumb_state = state;
  UpdateControl(1);
}

int MSlider::OnControlMouseMove(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  if (m_thumb_state == 2) {
    const int free = m_rect.Width() - m_thumb_size.cx;
    if (free > 0) {
      const int x = pt.x - m_rect.left;
      if (ChangeValue(m_min + x * (m_max - m_min + 1) / free))
        SendMessageW(kNotifyPositionChanged, static_cast<WPARAM>(m_value));
    }
    return 1;
  }
  SetThumbState(GetThumbRect().PtInRect(pt) ? 1 : 0);
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int MSlider::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  SetThumbState(2);
  return 1;
}

int MSlider::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled || m_thumb_state != 2) return 0;
  SetThumbState(GetThumbRect().PtInRect(pt) ? 1 : 0);
  SendMessageW(kNotifyClicked, static_cast<WPARAM>(m_value));
  return 1;
}

int MSlider::OnControlScroll(int, UINT flags, CPoint) {
  if (!m_enabled) return 0;
  if (ChangeValue(m_value + (flags ? -1 : 1)))
    SendMessageW(kNotifyClicked, static_cast<WPARAM>(m_value));
  return 1;
}

void MSlider::DrawControl(Canvas& dc, const CRect&) {
  if (m_image) {
    const int top = m_rect.top + (m_rect.Height() - m_frame_height) / 2;
    const CRect track(m_rect.left, top, m_rect.right, top + m_frame_height);
    MRender::DrawImageFrame(dc, m_image, track, 0, 0, m_frame_width, m_frame_height,
                            m_frame_height / 2);
  }
  const CRect thumb = GetThumbRect();
  if (m_thumb) {
    const int frame = m_enabled ? m_thumb_state : 3;
    const int w = m_thumb_size.cx;
    dc.DrawImage(*m_thumb, thumb, CRect(frame * w, 0, (frame + 1) * w, m_thumb_size.cy));
  }
  if (m_show_text) {
    const long shown = std::lround(m_value * m_scale);
    dc.DrawText(std::to_string(shown), thumb, GetFontSpec(), m_text_color,
                TextFormat{kAlignCenter, kAlignVCenter, false, false});
  }
}
