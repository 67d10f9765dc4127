// MText: the static text with its optional icon, wrapping, shadow, marked
// substring and background fill.
#include "QorUI/static_controls.h"
#include "controls/control_helpers.h"

MText::MText(MObject* parent, UINT id, CRect rect, const char* title, int visible)
    : MControlFont(parent, id, rect, title, visible, 1, 0) {}

void MText::EnableMultiLine(int on) {
  m_multiline = on ? 1 : 0;
  RepaintIfVisible();
}

void MText::EnableVCenter(int on) {
  m_vcenter = on ? 1 : 0;
  RepaintIfVisible();
}

void MText::EnableShadow(int on, ARGB color) {
  m_shadow = on ? 1 : 0;
  m_shadow_color = color;
  RepaintIfVisible();
}

void MText::SetMarkText(const std::string& mark, ARGB color) {
  m_mark = mark;
  m_mark_color = color;
  RepaintIfVisible();
}

void MText::EnableTextBack(int on, ARGB color) {
  m_text_back = on ? 1 : 0;
  m_back_color = color;
  RepaintIfVisible();
}

void MText::DrawControl(Canvas& dc, const CRect&) {
  controls::DrawCached(*this, dc, [this](Canvas& mem) {
    const int w = m_rect.Width(), h = m_rect.Height();
    if (m_text_back) mem.FillRect(CRect(0, 0, w, h), m_back_color);
    int left = 0;
    if (m_image) {
      const CRect icon(CPoint(0, (h - m_frame_height) / 2), CSize(m_frame_width, m_frame_height));
      mem.DrawImage(*m_image, icon, GetFrameRect(0));
      left = m_frame_width + kIconGap;
    }
    const CRect box(left, 0, w, h);
    TextFormat format = GetTextFormat();
    if (m_multiline) {
      format.wrap = true;
      format.valign = m_vcenter ? kAlignVCenter : kAlignTop;
    }
    if (m_shadow) {
      CRect shadow = box;
      shadow.OffsetRect(1, 1);
      mem.DrawText(m_title, shadow, GetFontSpec(), m_shadow_color, format);
    }
    if (!m_multiline && !m_mark.empty() && m_title.find(m_mark) != std::string::npos)
      DrawMarked(mem, box, format);
    else
      mem.DrawText(m_title, box, GetFontSpec(), m_text_color, format);
  });
}

// The line is laid out as three runs placed one after the other, so the
// marked run keeps its place whatever the alignment.
void MText::DrawMarked(Canvas& mem, const CRect& box, const TextFormat& format) const {
  const std::size_t at = m_title.find(m_mark);
  const std::string parts[3] = {m_title.substr(0, at), m_mark, m_title.substr(at + m_mark.size())};
  const FontSpec font = GetFontSpec();
  const CSize whole = Canvas::MeasureText(m_title, font);
  int x = box.left;
  if (format.halign == kAlignCenter) x = box.left + (box.Width() - whole.cx) / 2;
  if (format.halign == kAlignRight) x = box.right - whole.cx;
  const TextFormat run{kAlignLeft, format.valign, false, false};
  for (int i = 0; i < 3; ++i) {
    if (parts[i].empty()) continue;
    const int width = Canvas::MeasureText(parts[i], font).cx;
    mem.DrawText(parts[i], CRect(x, box.top, x + width + 1, box.bottom), font,
                 i == 1 ? m_mark_color : m_text_color, run);
    x += width;
  }
}
