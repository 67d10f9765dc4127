// Path rules of the start-up context. XDG variables that are empty or not
// absolute are ignored, as the XDG base directory rules require.
#include "shell/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "QorUI/manager.h"

namespace {

std::string XdgDirectory(const Environment& env, const char* variable, const char* fallback) {
  if (auto value = env(variable); value && !value->empty() && (*value)[0] == '/') return *value;
  return HomeDirectory(env) + "/" + fallback;
}

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

std::string GetModuleDirectory() {
  const std::string exe = ExecutablePath();
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "./" : exe.substr(0, slash + 1);
}

std::string GetDataDirectory() {
  return GetDataDirectory(ProcessEnvironment());
}

std::string GetDataDirectory(const Environment& env) {
  return WithSlash(XdgDirectory(env, "XDG_DATA_HOME", ".local/share")) + Manager::GetDeviceName() +
         " Files/";
}

bool EnsureDirectory(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return std::filesystem::is_directory(path, ec);
}

std::string GetSettingsFilePath(const Environment& env) {
  return WithSlash(XdgDirectory(env, "XDG_CONFIG_HOME", ".config")) + Manager::GetDeviceName() +
         "/settings.ini";
}

std::string GetRuntimeDirectory(const Environment& env) {
  if (auto value = env("XDG_RUNTIME_DIR"); value && !value->empty() && (*value)[0] == '/') {
    return WithSlash(*value);
  }
  const std::string dir = "/tmp/" + Manager::GetDeviceName() + "-" + std::to_string(::getuid());
  ::mkdir(dir.c_str(), 0700);
  struct stat st {};
  // Another user could have made the folder first; it is used only if it is
  // a real folder of ours that nobody else can enter.
  if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
      (st.st_mode & 077) != 0) {
    return {};
  }
  return dir + "/";
}
