#include "keys/keyboard_ctrl_picture.h"

#include "QorUI/keyboard_ctrl.h"

// The control's key list calls leave the repaint to the caller.
void KeyboardCtrlPicture::ClearItem() {
  m_control.ClearItem();
  m_control.UpdateControl(1);
}

int KeyboardCtrlPicture::AddKeyItem(const std::string& name, const std::string& text,
                                    DWORD key_value, const CRect& rect, const std::string& icon) {
  const int index = m_control.AddKeyItem(name, text, key_value, rect, icon);
  m_control.UpdateControl(1);
  return index;
}

// SetRect, not SetControlRect: the area the control leaves is repainted too.
void KeyboardCtrlPicture::SetControlRect(const CRect& rect) {
  m_control.SetRect(rect);
}

void KeyboardCtrlPicture::SetKeyboardImage(const std::string& file) {
  m_control.SetKeyboardImage(file);
}

void KeyboardCtrlPicture::SetWidthAndHeight(int width, int height) {
  m_control.SetWidthAndHeight(width, height);
}
