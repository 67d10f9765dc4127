// MEdit: a text field. The control draws its face and text; while the user
// edits, a native text entry of the window lies over the text area and gives
// caret, selection, clipboard and input methods.
//
// Notifications: 30 then 1 when editing begins, 26 on every change typed, 29
// when the entry closes, 9 and 31 for a press and release on the icon, 1 and
// 2 for the space key on the focused control.
#pragma once

#include <memory>
#include <string>

#include "QorUI/control_font.h"
#include "QorUI/host.h"

class MEdit : public MControlFont {
 public:
  static constexpr int kTextInset = 6;
  static constexpr int kCorner = 4;
  static constexpr ARGB kHintText = 0xFF808080;

  MEdit(MObject* parent, UINT id, CRect rect, const char* title = "", int visible = 1,
        int enabled = 1);
  ~MEdit() override;

  const std::string& GetEditText() const { return m_title; }
  void SetEditText(const std::string& text);
  // 0 draws the text plainly.
  void SetPassWordChar(char32_t ch);
  void SetEditFont(const char* face, int size, int style);
  // Relative to the control; empty: the control inset by kTextInset (less the icon).
  void SetTextRect(CRect rect);
  // Shown in grey while the text is empty.
  void SetTipInfo(const char* hint);
  // Code points; 0 is no limit.
  void SetLimitText(int max_code_points);
  // Only the digits 0-9 are kept of what is typed or pasted.
  void SetNumberOnly(int on);
  void SetReadOnly(int on);
  // An icon at the right edge, from the skin folder (frames: normal, hover, pressed, disabled).
  int SetIconImage(const char* file, int frames);

  // Opens the native entry over the text area (notifications 30 and 1).
  void ShowEdit();
  // Takes the entry's text, hides the entry and reports 29; nothing when closed.
  void HideEdit();
  bool IsEditing() const { return m_editing; }
  // The entry rectangle in window coordinates.
  CRect GetTextArea() const;

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  void SetControlRect(CRect rect) override;
  void SetControlVisible(int visible) override;
  void SetControlWndVisible(int visible) override;
  void SetControlEnabled(int enabled) override;
  int SetControlFocus(int focus) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlKeyDown(UINT key, UINT repeat, UINT flags) override;

 private:
  CRect IconRect() const;
  std::string Filtered(const std::string& text) const;
  std::string Shown() const;
  void EnsureEntry();
  void ApplyEntryStyle();
  // Our own text in the entry: not reported as typing.
  void SetEntryText(const std::string& text);
  void OnEntryChanged();
  void Cancel();

  std::unique_ptr<TextEntry> m_entry;
  bool m_applying = false;  // our own SetText on the entry, not the user's typing
  bool m_editing = false;
  std::string m_text_at_open;
  char32_t m_password = 0;
  CRect m_text_rect;
  std::string m_hint;
  int m_limit = 0;
  int m_number_only = 0;
  int m_read_only = 0;
  int m_hover = 0;
  const Image* m_icon = nullptr;  // owned by the window's image cache
  int m_icon_frames = 1;
  int m_icon_state = 0;
};
