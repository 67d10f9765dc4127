// Library-wide settings: the product name, the text face and size every
// control starts with, the selection colour and the skin theme.
#pragma once

#include <string>

#include "QorUI/types.h"

class Manager {
 public:
  Manager() = delete;

  static void SetDeviceName(const std::string& name);
  static const std::string& GetDeviceName();

  static void SetFontName(const std::string& face);
  static void SetFont(const std::string& face, int size);
  static const std::string& GetFontName();
  static int GetFontWidth();

  static ARGB GetSelectColor();

  // Always "theme1/": the theme is not a setting.
  static std::string GetTheme();

 private:
  static std::string m_dev_name;
  static std::string m_fontname;
  static int m_fontwidth;
  static ARGB m_select_color;
};
