// MControlFont: a control with a title, a font, a text colour, alignment and
// an optional state image (a strip of equal frames from the skin folder).
#pragma once

#include <string>

#include "QorUI/canvas.h"
#include "QorUI/control.h"
#include "QorUI/image.h"

struct ImgResInfo;

class MControlFont : public MControl {
 public:
  MControlFont(MObject* parent, UINT id, CRect rect, const char* title = "", int visible = 1,
               int enabled = 1, int response = 1);

  virtual void SetTextFont(const std::string& face);
  virtual void SetTextColor(ARGB color);
  // From the library's resources; 1 on success, 0 without a manager or image.
  virtual int SetImage(UINT resource_id, int frames);
  // A file relative to the skin folder, through the window's image cache.
  virtual int SetImage(const char* file, int frames);

  void SetTitle(const char* title);
  const std::string& GetTitle() const { return m_title; }
  void SetAlignment(UINT h);
  void SetVAlignment(UINT v);
  void SetAlignment(UINT h, UINT v);
  void GetAlignment(UINT& h, UINT& v) const {
    h = m_halign;
    v = m_valign;
  }
  // Stores the face, size and style without a repaint.
  void SetFont(const char* face, int size, int style);
  void SetFontStyle(int style) { m_font_style = style; }
  int GetFontStyle() const { return m_font_style; }
  void SetFontWidth(int size) { m_font_size = size; }
  int GetFontWidth() const { return m_font_size; }
  const std::string& GetTextFont() const { return m_font_face; }
  ARGB GetTextColor() const { return m_text_color; }
  // The family text in `face` is drawn with; empty without a manager.
  std::string GetFontFamily(const std::string& face) const;
  // Face, size and style together, as drawing takes them.
  FontSpec GetFontSpec() const { return FontSpec{m_font_face, m_font_size, m_font_style}; }
  // One-line format from the alignments.
  TextFormat GetTextFormat() const;
  void SetImageCount(int frames);
  CSize GetImageSize() const { return CSize(m_frame_width, m_frame_height); }
  const std::string& GetImagePath() const { return m_image_path; }
  const Image* GetImage() const { return m_image; }
  int GetImageCount() const { return m_frames; }
  // Source rectangle of frame `index` in the image.
  CRect GetFrameRect(int index) const;

 protected:
  virtual void SetControlTitle(const char* title) { m_title = title ? title : ""; }
  virtual const std::string& GetControlTitle() const { return m_title; }
  int UseImage(const ImgResInfo* info, const std::string& path, int frames);
  void RepaintIfVisible() {
    if (m_visible) UpdateControl(1);
  }

  std::string m_title;
  std::string m_font_face;
  int m_font_size;
  ARGB m_text_color = 0xFFFFFFFF;
  int m_font_style = FontStyleRegular;
  UINT m_halign = kAlignLeft;
  UINT m_valign = kAlignVCenter;
  const Image* m_image = nullptr;  // owned by the window's image cache
  std::string m_image_path;
  int m_frame_width = 0;
  int m_frame_height = 0;
  int m_frames = 4;
};
