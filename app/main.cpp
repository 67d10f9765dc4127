// The program's entry point.
#include <string>
#include <vector>

#include "shell/application.h"
#include "shell/command_line.h"

int main(int argc, char** argv) {
  return RunApplication(ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
}
