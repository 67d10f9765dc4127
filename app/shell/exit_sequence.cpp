// Running the exit sequence.
#include "shell/exit_sequence.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

void ExitSequence::Run() {
  for (const Step& step : m_steps) step();
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(0);
}
