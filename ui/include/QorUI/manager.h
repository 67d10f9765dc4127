// Library-wide settings: the product name, the text face and size every
// control starts with, the selection colour, the skin theme and folders, and
// the registry of open windows.
#pragma once

#include <set>
#include <string>

#include "QorUI/messages.h"
#include "QorUI/types.h"

class MWindow;

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

  // The folder of the running executable with a trailing "/"; tests and tools
  // may point it elsewhere.
  static const std::string& GetProgramFolder();
  static void SetProgramFolder(const std::string& folder);
  // Program folder + "skins/" + theme.
  static std::string GetSkinFolder();
  // A skin image name ("icon\\tab_home.png", "icon//icon_pc.png") as a path in
  // the skin folder, with backslashes and doubled slashes made single "/".
  static std::string GetSkinPath(const std::string& name);
  // Joins a relative name to a folder the same way.
  static std::string JoinPath(const std::string& folder, const std::string& name);

  // Makes "font/Arial.ttf" of the program folder, when present, answer to the
  // face "Arial"; done once per process. False when there is no such font.
  static bool InstallPrivateFont();

  // Start and end of the program's use of the library: both empty the window
  // registry, and start-up installs the private font.
  static void InitGdiplus();
  static void UnInitGdiplus();

  // Runs the UI loop until PostQuitMessage and returns its code; Alt+F4 never
  // reaches a window.
  static int MessageLoop();
  // 1 when the message is Alt+F4, which is swallowed.
  static int PreTranslateMessage(const MSG* msg);

  static void AddWnd(MWindow* window);
  static void DeleteWnd(MWindow* window);
  static const std::set<MWindow*>& GetWnds();

 private:
  static std::string m_dev_name;
  static std::string m_fontname;
  static int m_fontwidth;
  static ARGB m_select_color;
  static std::string m_program_folder;
  static std::set<MWindow*> m_windows;
};
