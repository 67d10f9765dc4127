// MPicture and CGifPicture: still and animated skin images.
#include <algorithm>

#include "QorUI/manager.h"
#include "QorUI/render.h"
#include "QorUI/static_controls.h"
#include "controls/control_helpers.h"

MPicture::MPicture(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 0) {}

int MPicture::SetImage(const char* file, int frames) {
  m_owned = controls::LoadSkinImage(file ? file : "");
  m_image = m_owned.get();
  m_image_path = m_owned ? file : "";
  m_frames = std::max(frames, 1);
  m_frame_width = m_owned ? m_owned->Width() / m_frames : 0;
  m_frame_height = m_owned ? m_owned->Height() : 0;
  UpdateControl(1);
  return m_owned ? 1 : 0;
}

void MPicture::SetShowMode(int mode, int corner) {
  m_mode = mode;
  m_corner = corner;
  UpdateControl(1);
}

void MPicture::SetShowModeMID(int left, int top, int right, int bottom) {
  m_mode = kShowFrameMid;
  m_borders = CRect(left, top, right, bottom);
  UpdateControl(1);
}

void MPicture::DrawControl(Canvas& dc, const CRect&) {
  if (!m_image) return;
  controls::DrawCached(*this, dc, [this](Canvas& mem) {
    const CRect all(0, 0, m_rect.Width(), m_rect.Height());
    const CRect src = GetFrameRect(0);
    switch (m_mode) {
      case kShowNatural:
        mem.DrawImage(*m_image, CRect(CPoint(0, 0), src.Size()), src);
        break;
      case kShowCenter:
        mem.DrawImage(
            *m_image,
            CRect(CPoint((all.Width() - src.Width()) / 2, (all.Height() - src.Height()) / 2),
                  src.Size()),
            src);
        break;
      case kShowFrame:
        MRender::DrawImageFrame(mem, m_image, all, 0, 0, src.Width(), src.Height(), m_corner);
        break;
      case kShowFrameMid:
        MRender::DrawImageFrameMID(mem, m_image, all, 0, 0, src.Width(), src.Height(),
                                   m_borders.left, m_borders.top, m_borders.right,
                                   m_borders.bottom);
        break;
      default:
        mem.DrawImage(*m_image, all, src);
        break;
    }
  });
}

CGifPicture::CGifPicture(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 0) {
  SetRunTimer(1);
}

int CGifPicture::SetImage(const char* file, int) {
  m_frames_list = Image::LoadFramesFromFile(Manager::GetSkinPath(file ? file : ""));
  m_current = 0;
  m_ticks = 0;
  m_running = 0;
  m_image_path = m_frames_list.empty() ? "" : file;
  UpdateControl(1);
  return m_frames_list.empty() ? 0 : 1;
}

void CGifPicture::SetRunState(int run, int frame) {
  if (m_frames_list.size() < 2) return;
  m_running = run ? 1 : 0;
  m_current = std::clamp(frame, 0, GetFrameCount() - 1);
  m_ticks = 0;
  UpdateControl(1);
}

int CGifPicture::OnControlTimer() {
  if (!m_running || ++m_ticks < kTicksPerFrame) return 0;
  m_ticks = 0;
  m_current = (m_current + 1) % GetFrameCount();
  UpdateControl(1);
  return 1;
}

void CGifPicture::DrawControl(Canvas& dc, const CRect&) {
  if (m_frames_list.empty()) return;
  const Image& frame = *m_frames_list[m_current].image;
  dc.DrawImage(frame, m_rect, CRect(0, 0, frame.Width(), frame.Height()));
}
