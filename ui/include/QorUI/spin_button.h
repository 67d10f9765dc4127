// Numeric spin fields: a digits-only edit with up and down buttons
// ("img_spin_up.png", "img_spin_down.png"); every change of the value
// reports 28 to the owner.
#pragma once

#include "QorUI/panel.h"

class MButton;
class MEdit;

class MSpinButton : public MPanel {
 public:
  static constexpr int kButtonWidth = 18;

  MSpinButton(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  void SetRange(int minimum, int maximum);
  int GetMinimum() const { return m_min; }
  int GetMaximum() const { return m_max; }
  // Clamped to the range; no notification.
  void SetValue(int value);
  int GetValue() const { return m_value; }
  void SetStep(int step) { m_step = step > 0 ? step : 1; }

  void InitControl(PaintManager* manager) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  int OnControlScroll(int delta, UINT flags, CPoint pt) override;

 private:
  void Layout();
  // Applies a value from the user; reports 28 when it changed.
  void Change(int value);
  void ShowValue();

  MEdit* m_edit;
  MButton* m_up;
  MButton* m_down;
  int m_min = 0;
  int m_max = 255;
  int m_value = 0;
  int m_step = 1;
};

// The same field under its second factory name.
class CSpinButton : public MSpinButton {
 public:
  using MSpinButton::MSpinButton;
};
