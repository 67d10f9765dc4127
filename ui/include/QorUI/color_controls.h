// Colour pickers of the lighting pages: preset swatches (CColorButton, one
// checked per group) and the colour wheel (CirclePalette), which reports the
// colour under its thumb with notification 27 (lParam = COLORREF).
#pragma once

#include <string>

#include "QorUI/control_font.h"

class CColorButton : public MControlFont {
 public:
  static constexpr ARGB kBorderInner = 0xFFF5F5F5;
  static constexpr ARGB kBorderOuter = 0xFF808080;
  static constexpr ARGB kHoverOuter = 0xFFFFFFFF;
  static constexpr ARGB kCheckedOuter = 0xFF36CFC6;

  CColorButton(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "ColorButton"; }

  void SetColor(COLORREF color);
  COLORREF GetColor() const { return m_color; }
  // Ignored while disabled; a change unchecks the rest of the group. Returns the check.
  int SetCheck(int check);
  int GetCheck() const { return m_check; }
  // Sets the check without touching the group.
  void SetControlCheck(int check);
  void SetGroupName(const char* name) { m_group = name ? name : ""; }
  const std::string& GetGroupName() const { return m_group; }
  void SetVisibleBorder(bool on);
  int GetState() const { return m_state; }

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;

 private:
  void UncheckGroup();

  int m_state = 0;  // 0 normal, 1 hover, 2 pressed
  int m_check = 0;
  COLORREF m_color = 0xFFFFFF;
  std::string m_group;
  bool m_border = false;
};

class CirclePalette : public MControlFont {
 public:
  static constexpr int kPickRadius = 65;
  static constexpr int kThumbSize = 10;
  static constexpr int kDragSlack = 6;
  static constexpr ARGB kThumbLight = 0xFEFFFFFF;
  static constexpr ARGB kThumbDark = 0xFE808080;

  CirclePalette(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  COLORREF GetSelectColor() const { return m_color; }
  // Moves the thumb to the point and picks its colour (notification 27);
  // 0 for a point farther than 65 pixels from the centre, which is ignored.
  int MoveThumbPos(CPoint pt);
  // Distance of the point from the control's centre, truncated.
  int GetDistanse(CPoint pt) const;
  CRect GetThumbRect() const { return m_thumb; }
  int GetDragState() const { return m_drag; }

  void SetControlRect(CRect rect) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;

 private:
  COLORREF ColorAt(CPoint pt) const;

  CRect m_thumb;
  CPoint m_last;
  int m_drag = 0;  // 0 idle, 1 over the thumb, 2 dragging
  COLORREF m_color = 255;
};
