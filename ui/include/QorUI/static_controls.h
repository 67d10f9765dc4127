// Controls that only show something: the static text, the translucent area,
// the picture and the animated GIF. None of them takes the mouse, so a press
// on them reaches the window (which then drags).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/control_font.h"
#include "QorUI/image.h"

class MText : public MControlFont {
 public:
  static constexpr int kIconGap = 5;

  MText(MObject* parent, UINT id, CRect rect, const char* title = "", int visible = 1);

  void EnableMultiLine(int on);
  // Centres wrapped text vertically (single lines follow the vertical alignment).
  void EnableVCenter(int on);
  void EnableShadow(int on, ARGB color = 0xC0000000);
  // Draws the first occurrence of `mark` in `color`; an empty mark clears it.
  // Applies to single-line texts.
  void SetMarkText(const std::string& mark, ARGB color);
  // Fills the control with `color` beneath the text.
  void EnableTextBack(int on, ARGB color);

  void DrawControl(Canvas& dc, const CRect& dirty) override;

 private:
  void DrawMarked(Canvas& mem, const CRect& box, const TextFormat& format) const;

  int m_multiline = 0;
  int m_vcenter = 0;
  int m_shadow = 0;
  ARGB m_shadow_color = 0xC0000000;
  std::string m_mark;
  ARGB m_mark_color = 0;
  int m_text_back = 0;
  ARGB m_back_color = 0;
};

// A colour blended over what lies beneath, its alpha running from one value
// to another across the area; optionally framed.
class CArea : public MControl {
 public:
  CArea(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  void SetTransparent(int alpha_from, int alpha_to, COLORREF color, int vertical = 1);
  void SetFrame(int on, ARGB color, int width = 1);

  void DrawControl(Canvas& dc, const CRect& dirty) override;

 private:
  int m_alpha_from = 80;
  int m_alpha_to = 80;
  COLORREF m_color = 0xFFFFFF;
  int m_vertical = 1;
  int m_frame = 0;
  ARGB m_frame_color = 0;
  int m_frame_width = 1;
};

// How MPicture fills its rectangle.
enum PictureShowMode : int {
  kShowStretch = 0,   // frame 0 stretched over the control
  kShowNatural = 1,   // natural size at the top-left
  kShowCenter = 2,    // natural size, centred
  kShowFrame = 3,     // nine-sliced with equal corners
  kShowFrameMid = 4,  // nine-sliced with four borders
};

class MPicture : public MControlFont {
 public:
  MPicture(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  // Loaded straight from the skin folder (not the window's cache); 0 when it
  // cannot be read, which leaves the picture empty.
  int SetImage(const char* file, int frames) override;
  using MControlFont::SetImage;
  void SetShowMode(int mode, int corner = 0);
  void SetShowModeMID(int left, int top, int right, int bottom);

  void DrawControl(Canvas& dc, const CRect& dirty) override;

 private:
  std::unique_ptr<Image> m_owned;
  int m_mode = kShowStretch;
  int m_corner = 0;
  CRect m_borders;  // left, top, right, bottom widths for kShowFrameMid
};

// An animated GIF advanced by the window's animation tick: every fifth tick
// shows the next frame, whatever delays the file asks for.
class CGifPicture : public MControlFont {
 public:
  static constexpr int kTicksPerFrame = 5;

  CGifPicture(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  // Loads every frame of the file from the skin folder; 0 when it cannot be read.
  int SetImage(const char* file, int frames) override;
  using MControlFont::SetImage;
  // Starts or stops at `frame`; only for images of more than one frame.
  void SetRunState(int run, int frame);
  int GetFrameCount() const { return static_cast<int>(m_frames_list.size()); }
  int GetCurrentFrame() const { return m_current; }
  int IsRunning() const { return m_running; }

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlTimer() override;

 private:
  std::vector<Image::Frame> m_frames_list;
  int m_current = 0;
  int m_running = 0;
  int m_ticks = 0;
};
