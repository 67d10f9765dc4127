// The program's entry point.
#include <iostream>
#include <string>
#include <vector>

#include "shell/command_line.h"

int main(int argc, char** argv) {
  const CommandLine cl = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (cl.action) {
    case CommandLine::Action::kInvalid:
      std::cerr << "tervane: " << cl.error << "\n" << UsageText("tervane");
      return 2;
    case CommandLine::Action::kHelp:
      std::cout << UsageText("tervane");
      return 0;
    default:
      std::cerr << "tervane: this build does not run the program yet\n";
      return 1;
  }
}
