// Library-wide settings, written once at start-up on the UI thread.
#include "QorUI/manager.h"

std::string Manager::m_dev_name = "Tervane";
std::string Manager::m_fontname = "Arial";
int Manager::m_fontwidth = 14;
ARGB Manager::m_select_color = 0xFF285055;

void Manager::SetDeviceName(const std::string& name) { m_dev_name = name; }
const std::string& Manager::GetDeviceName() { return m_dev_name; }

void Manager::SetFontName(const std::string& face) { m_fontname = face; }
void Manager::SetFont(const std::string& face, int size) {
  m_fontname = face;
  m_fontwidth = size;
}
const std::string& Manager::GetFontName() { return m_fontname; }
int Manager::GetFontWidth() { return m_fontwidth; }

ARGB Manager::GetSelectColor() { return m_select_color; }

std::string Manager::GetTheme() { return "theme1/"; }
