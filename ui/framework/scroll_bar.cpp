// MScroll: thumb geometry, dragging and stepping.
#include "QorUI/scroll_bar.h"

#include <algorithm>

#include "QorUI/paint_manager.h"
#include "QorUI/render.h"

namespace {
constexpr int kMinThumb = 16;
}

MScroll::MScroll(MObject* parent, UINT id, CRect rect, bool vertical)
    : MControlFont(parent, id, rect, "", 0, 1, 1), m_vertical(vertical) {
  m_frames = 3;
}

void MScroll::InitControl(PaintManager* manager) {
  if (!manager) return;
  // The theme's image when it has one, else the library's own.
  if (!SetImage(m_vertical ? "img_scroll_v.png" : "img_scroll_h.png", 3))
    SetImage(m_vertical ? manager->GetScrollVID() : manager->GetScrollHID(), 3);
}

void MScroll::SetRange(int range) {
  m_range = std::max(range, 0);
  SetPos(m_pos);
}

int MScroll::SetPos(int pos) {
  pos = std::clamp(pos, 0, m_range);
  if (pos == m_pos) return 0;
  m_pos = pos;
  UpdateControl(1);
  return 1;
}

int MScroll::StepBy(UINT direction) {
  const int changed = SetPos(m_pos + (direction ? m_step : -m_step));
  if (changed) SendMessageW(kNotifyPositionChanged, static_cast<WPARAM>(m_pos));
  return changed;
}

int MScroll::TrackLength() const {
  return m_vertical ? m_rect.Height() : m_rect.Width();
}

CRect MScroll::GetThumbRect() const {
  const int track = TrackLength();
  const int thumb = std::clamp(m_range > 0 ? track * track / (track + m_range) : track,
                               std::min(kMinThumb, track), track);
  const int offset = m_range > 0 ? (track - thumb) * m_pos / m_range : 0;
  return m_vertical
             ? CRect(m_rect.left, m_rect.top + offset, m_rect.right, m_rect.top + offset + thumb)
             : CRect(m_rect.left + offset, m_rect.top, m_rect.left + offset + thumb, m_rect.bottom);
}

int MScroll::PosFromPoint(CPoint pt) const {
  const CRect thumb = GetThumbRect();
  const int thumb_len = m_vertical ? thumb.Height() : thumb.Width();
  const int free = TrackLength() - thumb_len;
  if (free <= 0) return 0;
  const int at = (m_vertical ? pt.y - m_rect.top : pt.x - m_rect.left) - m_grab;
  return std::clamp(at, 0, free) * m_range / free;
}

void MScroll::DrawControl(Canvas& dc, const CRect&) {
  if (m_range <= 0) return;
  dc.FillRect(m_rect, 0x30FFFFFF);
  const CRect thumb = GetThumbRect();
  const int frame = std::min(m_state, m_frames - 1);
  if (m_image)
    MRender::DrawImageFrame(dc, m_image, thumb, frame * m_frame_width, 0, m_frame_width,
                            m_frame_height, 3);
  else
    dc.FillRect(thumb, m_state ? 0xFFA8D0D6 : 0xFF7FA0A6);
}

int MScroll::OnControlLButtonDown(UINT, CPoint pt) {
  if (m_range <= 0) return 0;
  const CRect thumb = GetThumbRect();
  if (thumb.PtInRect(pt)) {
    m_grab = m_vertical ? pt.y - thumb.top : pt.x - thumb.left;
  } else {
    // A press on the track jumps the thumb's centre there.
    m_grab = (m_vertical ? thumb.Height() : thumb.Width()) / 2;
    if (SetPos(PosFromPoint(pt))) SendMessageW(kNotifyPositionChanged, static_cast<WPARAM>(m_pos));
  }
  m_state = 2;
  UpdateControl(1);
  return 1;
}

int MScroll::OnControlLButtonUp(UINT, CPoint pt) {
  m_state = GetThumbRect().PtInRect(pt) ? 1 : 0;
  UpdateControl(1);
  return 1;
}

int MScroll::OnControlMouseMove(UINT, CPoint pt) {
  if (m_state == 2) {
    if (SetPos(PosFromPoint(pt))) SendMessageW(kNotifyPositionChanged, static_cast<WPARAM>(m_pos));
    return 1;
  }
  const int state = GetThumbRect().PtInRect(pt) ? 1 : 0;
  if (state != m_state) {
    m_state = state;
    UpdateControl(1);
  }
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int MScroll::OnControlScroll(int, UINT flags, CPoint) {
  if (m_range <= 0) return 0;
  StepBy(flags);
  return 1;
}
