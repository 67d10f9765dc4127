// The exit sequence every way of quitting shares (the quit command from
// another start, the termination signals, and later the close button and
// the tray menu): its steps run in order, then the process ends at once.
#pragma once

#include <functional>
#include <vector>

class ExitSequence {
 public:
  using Step = std::function<void()>;

  // Steps run in the order they were added.
  void AddStep(Step step) { m_steps.push_back(std::move(step)); }

  // Runs every step, then ends the process with exit code 0 without joining
  // threads or tearing anything else down.
  [[noreturn]] void Run();

 private:
  std::vector<Step> m_steps;
};
