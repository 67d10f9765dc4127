// Library-wide settings, written once at start-up on the UI thread.
#include "QorUI/manager.h"

#include <unistd.h>

#include <climits>

#include "QorUI/host.h"
#include "framework/text_engine.h"

std::string Manager::m_dev_name = "Tervane";
std::string Manager::m_fontname = "Arial";
int Manager::m_fontwidth = 14;
ARGB Manager::m_select_color = 0xFF285055;
std::string Manager::m_program_folder;
std::set<MWindow*> Manager::m_windows;

void Manager::SetDeviceName(const std::string& name) {
  m_dev_name = name;
}
const std::string& Manager::GetDeviceName() {
  return m_dev_name;
}

void Manager::SetFontName(const std::string& face) {
  m_fontname = face;
}
void Manager::SetFont(const std::string& face, int size) {
  m_fontname = face;
  m_fontwidth = size;
}
const std::string& Manager::GetFontName() {
  return m_fontname;
}
int Manager::GetFontWidth() {
  return m_fontwidth;
}

ARGB Manager::GetSelectColor() {
  return m_select_color;
}

std::string Manager::GetTheme() {
  return "theme1/";
}

const std::string& Manager::GetProgramFolder() {
  if (m_program_folder.empty()) {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
    std::string exe = n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string("./x");
    m_program_folder = exe.substr(0, exe.rfind('/') + 1);
  }
  return m_program_folder;
}

void Manager::SetProgramFolder(const std::string& folder) {
  m_program_folder = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

std::string Manager::GetSkinFolder() {
  return GetProgramFolder() + "skins/" + GetTheme();
}

std::string Manager::JoinPath(const std::string& folder, const std::string& name) {
  std::string rel;
  rel.reserve(name.size());
  for (char c : name) {
    const char ch = c == '\\' ? '/' : c;
    if (ch == '/' && (rel.empty() || rel.back() == '/')) continue;
    rel.push_back(ch);
  }
  if (folder.empty()) return rel;
  return folder.back() == '/' ? folder + rel : folder + "/" + rel;
}

std::string Manager::GetSkinPath(const std::string& name) {
  return JoinPath(GetSkinFolder(), name);
}

bool Manager::InstallPrivateFont() {
  static const bool installed =
      TextEngine::Get().AddPrivateFont("Arial", JoinPath(GetProgramFolder(), "font/Arial.ttf"));
  return installed;
}

void Manager::InitGdiplus() {
  m_windows.clear();
  InstallPrivateFont();
}

void Manager::UnInitGdiplus() {
  m_windows.clear();
}

void Manager::AddWnd(MWindow* window) {
  m_windows.insert(window);
}
void Manager::DeleteWnd(MWindow* window) {
  m_windows.erase(window);
}
const std::set<MWindow*>& Manager::GetWnds() {
  return m_windows;
}

int Manager::MessageLoop() {
  Host* host = Host::Current();
  if (!host) return 0;
  host->RunLoop([] { return false; });
  const int code = host->GetQuitCode();
  host->ClearQuit();
  return code;
}

int Manager::PreTranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) || msg->wParam != VK_F4)
    return 0;
  Host* host = Host::Current();
  return host && (host->GetModifiers() & MK_ALT) ? 1 : 0;
}
