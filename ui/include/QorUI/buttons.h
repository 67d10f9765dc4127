// The button family: push buttons with four cached state frames (MButton,
// CImageButton, CTextButton), check and radio buttons with eight, and the
// on/off switch. All report 1 on a press and 2 on a release over the button.
#pragma once

#include <string>

#include "QorUI/control_font.h"

class MButton : public MControlFont {
 public:
  enum State { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };
  static constexpr int kCorner = 10;
  static constexpr ARGB kDisabledText = 0xFF808080;

  MButton(MObject* parent, UINT id, CRect rect, const char* title = "", int visible = 1,
          int enabled = 1);

  // An icon strip from the skin folder; frame width = width / frames. 0 when
  // it cannot be loaded.
  int SetIconImage(const char* file, int frames);
  // Where the title goes, relative to the control; empty centres it in the whole control.
  void SetTextRect(CRect rect);
  int GetState() const { return m_state; }

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;

 protected:
  // Draws state frame `state` (0..3) in frame coordinates; the cache already
  // holds the background.
  virtual void DrawFace(Canvas& mem, int state);
  void DrawIcon(Canvas& mem, int state) const;
  void DrawTitle(Canvas& mem, int state, int style) const;
  void SetState(int state);

  int m_state;
  const Image* m_icon = nullptr;  // owned by the window's image cache
  int m_icon_frames = 1;
  int m_icon_width = 0;
  int m_icon_height = 0;
  CRect m_text_rect;
};

class CImageButton : public MButton {
 public:
  using MButton::MButton;
  // The balloon-tip style of the button's hint; kept for the program, which
  // shows its hints as tooltips.
  void SetAlrBladderMode(int mode) { m_bladder_mode = mode; }
  int GetAlrBladderMode() const { return m_bladder_mode; }

 private:
  int m_bladder_mode = 0;
};

// A title without a face: hover underlines it, pressed moves it.
class CTextButton : public MButton {
 public:
  using MButton::MButton;

 protected:
  void DrawFace(Canvas& mem, int state) override;
};

// Check box: eight states, unchecked 0..3 then checked 4..7 (normal, hover,
// pressed, disabled); its image has eight frames in that order.
class CCheckButton : public MControlFont {
 public:
  static constexpr int kTextGap = 8;
  static constexpr ARGB kDisabledText = 0xFE808080;

  CCheckButton(MObject* parent, UINT id, CRect rect, const char* title = "", int visible = 1,
               int enabled = 1);

  // Ignored while disabled; no notification.
  virtual void SetCheck(int check);
  int GetCheck() const { return m_check; }
  int GetState() const { return m_state; }

  void InitControl(PaintManager* manager) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlKeyDown(UINT key, UINT repeat, UINT flags) override;

 protected:
  // What a click or the space key does: toggle here, check for a radio button.
  virtual void Activate();
  virtual const char* DefaultImage() const { return "btn_checkbox.png"; }
  // Stores the value and shows its resting state.
  void StoreCheck(int check);
  int RestingState(int hover) const;

  int m_check = 0;
  int m_state;
};

// Radio button: checking one unchecks the radio buttons of the same owner
// with the same group name.
class CRadioButton : public CCheckButton {
 public:
  using CCheckButton::CCheckButton;

  const char* GetClassNameW() const override { return "RadioButton"; }
  // Any change of value also unchecks the other members of the group.
  void SetCheck(int check) override;
  void SetGroupName(const char* name) { m_group = name ? name : ""; }
  const std::string& GetGroupName() const { return m_group; }

 protected:
  void Activate() override;
  const char* DefaultImage() const override { return "btn_radiobox.png"; }

 private:
  void UncheckGroup();
  std::string m_group;
};

// On/off switch: a click toggles and reports 2 with the new state in lParam.
class CSwitchButton : public MControlFont {
 public:
  CSwitchButton(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  void SetCheck(int on);
  int GetCheck() const { return m_on; }

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;

 private:
  int m_on = 0;
  int m_hover = 0;
  int m_pressed = 0;
};
