// The keyboard control of a page as the picture a layout load fills: each
// call goes to the control and asks for a repaint of what it changed.
#pragma once

#include <string>

#include "keys/keyboard_picture.h"

class KeyboardCtrl;

class KeyboardCtrlPicture : public KeyboardPicture {
 public:
  // The control must outlive the adapter.
  explicit KeyboardCtrlPicture(KeyboardCtrl& control) : m_control(control) {}

  void ClearItem() override;
  int AddKeyItem(const std::string& name, const std::string& text, DWORD key_value,
                 const CRect& rect, const std::string& icon) override;
  void SetControlRect(const CRect& rect) override;
  void SetKeyboardImage(const std::string& file) override;
  void SetWidthAndHeight(int width, int height) override;

  KeyboardCtrl& Control() const { return m_control; }

 private:
  KeyboardCtrl& m_control;
};
