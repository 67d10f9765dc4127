// Environment variables and the running executable, the two facts of the
// process the start-up context is built from. Tests pass their own
// Environment instead of the process's.
#pragma once

#include <functional>
#include <optional>
#include <string>

using Environment = std::function<std::optional<std::string>(const char* name)>;

// getenv of this process; unset variables read as nothing.
Environment ProcessEnvironment();

// The path of the running executable (from /proc/self/exe); empty when it
// cannot be read.
std::string ExecutablePath();

// The home folder: $HOME, else the password database entry of this user.
std::string HomeDirectory(const Environment& env);
