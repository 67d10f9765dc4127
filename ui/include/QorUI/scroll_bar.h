// Scroll bars of containers: a range, a position and a step; dragging the
// thumb or the wheel moves the position and reports notification 8.
#pragma once

#include "QorUI/control_font.h"

class MScroll : public MControlFont {
 public:
  MScroll(MObject* parent, UINT id, CRect rect, bool vertical);

  void InitControl(PaintManager* manager) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlScroll(int delta, UINT flags, CPoint pt) override;

  bool IsVertical() const { return m_vertical; }
  void SetRange(int range);
  int GetRange() const { return m_range; }
  // Clamped to 0 .. range; 1 when the position changed.
  int SetPos(int pos);
  int GetPos() const { return m_pos; }
  void SetStep(int step) { m_step = step > 0 ? step : 1; }
  int GetStep() const { return m_step; }
  // Moves one step: direction 1 towards the end, 0 towards the start.
  int StepBy(UINT direction);
  CRect GetThumbRect() const;

 private:
  int TrackLength() const;
  int PosFromPoint(CPoint pt) const;

  bool m_vertical;
  int m_range = 0;
  int m_pos = 0;
  int m_step = 30;
  int m_state = 0;  // 0 normal, 1 hover, 2 dragging
  int m_grab = 0;   // pointer offset inside the thumb while dragging
};

class CScrollVertical : public MScroll {
 public:
  CScrollVertical(MObject* parent, UINT id, CRect rect) : MScroll(parent, id, rect, true) {}
};

class CScrollHorizontal : public MScroll {
 public:
  CScrollHorizontal(MObject* parent, UINT id, CRect rect) : MScroll(parent, id, rect, false) {}
};
