// Where the program finds its installed data set and keeps the user's
// files: the program folder, the data folder, the settings file and the
// single-instance lock and socket. Folder paths end with one '/'.
#pragma once

#include <string>

#include "platform/environment.h"

// The folder of the running executable.
std::string GetModuleDirectory();

// $XDG_DATA_HOME (default ~/.local/share) + "/<device name> Files/".
std::string GetDataDirectory();
std::string GetDataDirectory(const Environment& env);

// Creates every missing folder of `path`; true when it is a folder afterwards.
bool EnsureDirectory(const std::string& path);

// $XDG_CONFIG_HOME (default ~/.config) + "/<device name>/settings.ini".
std::string GetSettingsFilePath(const Environment& env);

// The folder of the lock and socket: $XDG_RUNTIME_DIR, or a private folder
// "/tmp/<device name>-<uid>" when it is unset; empty when that folder is
// not safe to use (not ours, or open to others).
std::string GetRuntimeDirectory(const Environment& env);
