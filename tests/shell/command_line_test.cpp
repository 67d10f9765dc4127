#include "shell/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, ParsesEachSwitchAndRejectsTheRest) {
  using A = CommandLine::Action;
  struct Case {
    std::vector<std::string> args;
    A action;
    bool simulate;
    std::string render_dir;
  };
  const Case cases[] = {
      {{}, A::kRun, false, ""},
      {{"--simulate"}, A::kRun, true, ""},
      {{"--version"}, A::kVersion, false, ""},
      {{"--help"}, A::kHelp, false, ""},
      {{"-h"}, A::kHelp, false, ""},
      {{"--quit"}, A::kQuit, false, ""},
      {{"--simulate", "--render-pages", "out"}, A::kRenderPages, true, "out"},
      {{"--render-pages"}, A::kInvalid, false, ""},
      {{"--render-pages", ""}, A::kInvalid, false, ""},
      {{"--quit", "--version"}, A::kInvalid, false, ""},
      {{"--frobnicate"}, A::kInvalid, false, ""},
      {{"simulate"}, A::kInvalid, false, ""},
  };
  for (const Case& c : cases) {
    const CommandLine cl = ParseCommandLine(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(cl.action, c.action);
    if (c.action == A::kInvalid) {
      EXPECT_FALSE(cl.error.empty());
    } else {
      EXPECT_EQ(cl.simulate, c.simulate);
      EXPECT_EQ(cl.render_dir, c.render_dir);
    }
  }
}
