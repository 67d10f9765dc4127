// MControlFont: text and state-image properties shared by text-bearing controls.
#include "QorUI/control_font.h"

#include <algorithm>

#include "QorUI/manager.h"
#include "QorUI/paint_manager.h"

MControlFont::MControlFont(MObject* parent, UINT id, CRect rect, const char* title, int visible,
                           int enabled, int response)
    : MControl(parent, id, rect, visible, enabled, response),
      m_title(title ? title : ""),
      m_font_face(Manager::GetFontName()),
      m_font_size(Manager::GetFontWidth()) {}

void MControlFont::SetTextFont(const std::string& face) {
  m_font_face = face;
}

void MControlFont::SetTextColor(ARGB color) {
  if (color == m_text_color) return;
  m_text_color = color;
  RepaintIfVisible();
}

int MControlFont::SetImage(UINT resource_id, int frames) {
  if (!m_manager) return 0;
  return UseImage(m_manager->AddImgResInfo(resource_id, frames), std::string(), frames);
}

int MControlFont::SetImage(const char* file, int frames) {
  if (!m_manager || !file) return 0;
  return UseImage(m_manager->AddImgResInfo(file, frames), file, frames);
}

int MControlFont::UseImage(const ImgResInfo* info, const std::string& path, int frames) {
  if (!info) return 0;
  m_image = info->image.get();
  m_image_path = path;
  m_frames = std::max(frames, 1);
  m_frame_width = m_image->Width() / m_frames;
  m_frame_height = m_image->Height();
  RepaintIfVisible();
  return 1;
}

void MControlFont::SetTitle(const char* title) {
  SetControlTitle(title);
  RepaintIfVisible();
}

void MControlFont::SetAlignment(UINT h) {
  if (h == m_halign) return;
  m_halign = h;
  RepaintIfVisible();
}

void MControlFont::SetVAlignment(UINT v) {
  if (v == m_valign) return;
  m_valign = v;
  RepaintIfVisible();
}

void MControlFont::SetAlignment(UINT h, UINT v) {
  if (h == m_halign && v == m_valign) return;
  m_halign = h;
  m_valign = v;
  RepaintIfVisible();
}

void MControlFont::SetFont(const char* face, int size, int style) {
  if (face) m_font_face = face;
  m_font_size = size;
  m_font_style = style;
}

std::string MControlFont::GetFontFamily(const std::string& face) const {
  return m_manager ? m_manager->FindTempFont(face) : std::string();
}

TextFormat MControlFont::GetTextFormat() const {
  TextFormat f;
  f.halign = m_halign;
  f.valign = m_valign;
  return f;
}

void MControlFont::SetImageCount(int frames) {
  m_frames = std::max(frames, 1);
  if (m_image) m_frame_width = m_image->Width() / m_frames;
}

CRect MControlFont::GetFrameRect(int index) const {
  return CRect(index * m_frame_width, 0, (index + 1) * m_frame_width, m_frame_height);
}
