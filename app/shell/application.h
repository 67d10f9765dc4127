// The program from its command line to its exit code: the start-up order
// of the application shell in one place.
#pragma once

#include "shell/command_line.h"

// Exit codes: 0 after --help, --version, a delivered --quit, or when another
// instance was asked to come forward; 1 when a normal run ends or a command
// could not be carried out; 2 for an invalid command line.
int RunApplication(const CommandLine& command_line);
