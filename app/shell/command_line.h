// The program's command line: a handful of switches, nothing positional.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kQuit, kRenderPages, kInvalid };

  Action action = Action::kRun;
  // Runs against the keyboard simulator instead of the attached keyboards.
  bool simulate = false;
  // Folder for kRenderPages.
  std::string render_dir;
  // For kInvalid: what was wrong, ready to print.
  std::string error;
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The usage text printed by --help.
std::string UsageText(const std::string& program);
