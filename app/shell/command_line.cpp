// Parses the switches of the program's command line.
#include "shell/command_line.h"

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  auto set_action = [&cl](CommandLine::Action a, const std::string& flag) {
    if (cl.action != CommandLine::Action::kRun && cl.action != a) {
      cl.action = CommandLine::Action::kInvalid;
      cl.error = "'" + flag + "' cannot be combined with another action";
      return false;
    }
    cl.action = a;
    return true;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      if (!set_action(CommandLine::Action::kHelp, arg)) return cl;
    } else if (arg == "--version") {
      if (!set_action(CommandLine::Action::kVersion, arg)) return cl;
    } else if (arg == "--quit") {
      if (!set_action(CommandLine::Action::kQuit, arg)) return cl;
    } else if (arg == "--simulate") {
      cl.simulate = true;
    } else if (arg == "--render-pages") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        return {CommandLine::Action::kInvalid, false, {}, "'--render-pages' needs a folder"};
      }
      if (!set_action(CommandLine::Action::kRenderPages, arg)) return cl;
      cl.render_dir = args[++i];
    } else {
      return {CommandLine::Action::kInvalid, false, {}, "unknown option '" + arg + "'"};
    }
  }
  return cl;
}

std::string UsageText(const std::string& program) {
  return "Usage: " + program +
         " [--simulate]\n"
         "       " +
         program +
         " --quit | --version | --help\n"
         "       " +
         program +
         " --render-pages <folder>\n"
         "\n"
         "  --simulate              run against a simulated keyboard instead of attached ones\n"
         "  --quit                  ask the running instance to quit\n"
         "  --render-pages <folder> draw every page headless and write them as PNG files\n"
         "  --version               print the program version and exit\n"
         "  --help                  print this text and exit\n";
}
