// MSlider: a horizontal slider over a track image with a four-frame thumb.
// Dragging reports 8 with each new value and 2 on release; the wheel moves
// the value by one and reports 2.
#pragma once

#include "QorUI/control_font.h"

class MSlider : public MControlFont {
 public:
  static constexpr int kDefaultThumb = 36;

  MSlider(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  void SetMinProgress(int minimum);
  void SetMaxProgress(int maximum);
  int GetMinProgress() const { return m_min; }
  int GetMaxProgress() const { return m_max; }
  // Clamped to the range; no notification.
  void SetProgress(int value);
  int GetProgress() const { return m_value; }
  // Thumb strip from the skin folder, four frames: normal, hover, pressed, disabled.
  int SetThumbImage(const char* file);
  CSize GetThumbSize() const { return m_thumb_size; }
  // The thumb in window coordinates.
  CRect GetThumbRect() const;
  // Draws the value (times the scale) beside the thumb.
  void SetShowText(int on);
  void SetScale(double scale);

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlScroll(int delta, UINT flags, CPoint pt) override;

 private:
  void SetThumbState(int state);
  // Stores a clamped value; true when it changed (the slider then repaints).
  bool ChangeValue(int value);

  int m_min = 0;
  int m_max = 10;
  int m_value = 0;
  const Image* m_thumb = nullptr;  // owned by the window's image cache
  CSize m_thumb_size{kDefaultThumb, kDefaultThumb};
  int m_thumb_state = 0;  // 0 normal, 1 hover, 2 dragging
  int m_show_text = 0;
  double m_scale = 1.0;
};
