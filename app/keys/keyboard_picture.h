// What the layout loading needs of a keyboard picture on a page: the keyboard
// control implements it, tests record the calls.
#pragma once

#include <string>

#include "QorUI/types.h"

class KeyboardPicture {
 public:
  virtual ~KeyboardPicture() = default;

  // Removes every key.
  virtual void ClearItem() = 0;
  // Appends a key; `rect` is relative to the picture's top-left corner, `icon`
  // a skin file or empty. Returns the key's index.
  virtual int AddKeyItem(const std::string& name, const std::string& text, DWORD key_value,
                         const CRect& rect, const std::string& icon) = 0;
  // Places the control in window coordinates.
  virtual void SetControlRect(const CRect& rect) = 0;
  // Loads the picture, a file relative to the skin folder.
  virtual void SetKeyboardImage(const std::string& file) = 0;
  virtual void SetWidthAndHeight(int width, int height) = 0;
};
