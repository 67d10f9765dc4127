// MEdit on the desktop host: under a private Xvfb, a click opens the GtkEntry
// over the field, typed text and a CJK string pasted from the clipboard
// reach the control (26), and Return or a press elsewhere ends the edit (29).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "QorUI/buttons.h"
#include "QorUI/controls.h"
#include "QorUI/edit.h"
#include "QorUI/gtk_host.h"
#include "QorUI/manager.h"
#include "qorui/probe.h"

namespace {

bool HaveTool(const char* name) {
  const std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// Runs a shell command, 15 s at most, and returns what it printed.
std::string Output(const std::string& command) {
  std::string quoted;
  for (char c : command) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  const std::string bounded = "timeout 15 sh -c '" + quoted + "'";
  std::string out;
  if (FILE* p = popen(bounded.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

// An X server of our own: Xvfb picks a free display and reports it on a pipe.
// It lives as long as the test process (GTK keeps its display open to the end).
class Xvfb {
 public:
  bool Start() {
    int fds[2];
    if (pipe(fds) != 0) return false;
    m_pid = fork();
    if (m_pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives a test killed by its timeout
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      // Without -noreset the server resets when its last client leaves and
      // then writes its number again, to a pipe nobody reads any more.
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    // The number and its newline may come in separate writes; the pipe stays
    // open so that no late write of the server meets a closed pipe.
    std::string line;
    char c = 0;
    while (m_pid > 0 && line.size() < 16) {
      const ssize_t n = read(fds[0], &c, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0 || c == '\n') break;
      line += c;
    }
    if (line.empty()) return false;
    m_display = ":" + line;
    return true;
  }
  const std::string& Display() const { return m_display; }

 private:
  pid_t m_pid = -1;
  std::string m_display;
};

}  // namespace

class EditFieldGtkTest : public ::testing::Test {
 protected:
  // One server and one host for the whole suite, as in the program.
  static void SetUpTestSuite() {
    for (const char* tool : {"Xvfb", "xdotool", "xclip"})
      if (!HaveTool(tool)) s_missing = tool;
    if (!s_missing.empty() || !s_xvfb.Start()) return;
    setenv("DISPLAY", s_xvfb.Display().c_str(), 1);
    if (auto gtk = CreateGtkHost()) {
      Host::Install(std::move(gtk));
      Manager::InitGdiplus();
      RegisterControls();
    }
  }
  static void TearDownTestSuite() {
    if (!Host::Current()) return;
    Manager::UnInitGdiplus();
    Host::Install(nullptr);
  }

  void SetUp() override {
    if (!s_missing.empty()) GTEST_SKIP() << s_missing << " is not installed";
    ASSERT_FALSE(s_xvfb.Display().empty()) << "Xvfb did not start";
    host = Host::Current();
    ASSERT_NE(host, nullptr) << "cannot open " << s_xvfb.Display();
    dlg.build = [this](TestDialog& d) {
      edit = dynamic_cast<MEdit*>(d.CreateControl("MEdit", 213, CRect(40, 40, 300, 70), ""));
      edit->SetImage("img_editbox.png", 4);
      button =
          dynamic_cast<MButton*>(d.CreateControl("MButton", 5, CRect(40, 120, 160, 150), "OK"));
    };
    ASSERT_NE(dlg.Create(0, "Edit Field Test", 0x80B, 0, CRect(100, 100, 500, 300)), 0u);
    ASSERT_NE(edit, nullptr);
    dlg.ShowWindow(SW_SHOW);
    ASSERT_TRUE(Drive("xdotool search --sync --onlyvisible --name 'Edit Field Test' | head -1",
                      nullptr, &m_wid));
    m_wid.erase(m_wid.find_last_not_of("\n") + 1);
    ASSERT_FALSE(m_wid.empty());
  }
  void TearDown() override {
    if (host) dlg.DestroyWindow();
  }

  // Runs `command` on a helper thread while the UI loop turns, until it has
  // finished and `until` holds (10 s at most).
  bool Drive(const std::string& command, std::function<bool()> until = nullptr,
             std::string* output = nullptr) {
    std::atomic<bool> finished{false};
    std::string out;
    std::thread worker([&] {
      out = Output(command);
      finished = true;
    });
    const UINT tick = host->AddTimer(10, [] {});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    host->RunLoop([&] {
      return (finished && (!until || until())) || std::chrono::steady_clock::now() > deadline;
    });
    host->RemoveTimer(tick);
    worker.join();
    if (output) *output = out;
    return !until || until();
  }
  std::string Click(int x, int y) {
    return "xdotool mousemove --window " + m_wid + " " + std::to_string(x) + " " +
           std::to_string(y) + " click 1";
  }
  int Count(UINT id, UINT code) const {
    const std::vector<UINT> codes = dlg.Codes(id);
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
  }

  Host* host = nullptr;
  TestDialog dlg;
  MEdit* edit = nullptr;
  MButton* button = nullptr;

 private:
  static inline Xvfb s_xvfb;
  static inline std::string s_missing;
  std::string m_wid;
};

TEST_F(EditFieldGtkTest, TypedAndPastedTextReachesTheControl) {
  ASSERT_TRUE(Drive(Click(100, 55), [&] { return edit->IsEditing(); }));
  EXPECT_EQ(Count(213, kNotifyEditBegan), 1);

  ASSERT_TRUE(Drive("xdotool type --delay 40 'abc'", [&] { return edit->GetEditText() == "abc"; }))
      << edit->GetEditText();
  EXPECT_EQ(Count(213, kNotifyEditChanged), 3);

  const std::string cjk = "\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C";  // 你好世界
  // xclip stays behind to serve the clipboard: its output must not hold the pipe.
  ASSERT_TRUE(Drive("printf '" + cjk + "' | xclip -selection clipboard >/dev/null 2>&1 && " +
                        "xdotool key --clearmodifiers ctrl+v",
                    [&] { return edit->GetEditText() == "abc" + cjk; }))
      << edit->GetEditText();

  ASSERT_TRUE(Drive("xdotool key Return", [&] { return !edit->IsEditing(); }));
  EXPECT_EQ(Count(213, kNotifyEditEnded), 1);
  EXPECT_EQ(edit->GetEditText(), "abc" + cjk);
}

TEST_F(EditFieldGtkTest, PressOnAnotherControlEndsTheEdit) {
  ASSERT_TRUE(Drive(Click(100, 55), [&] { return edit->IsEditing(); }));
  ASSERT_TRUE(Drive("xdotool type --delay 40 'x'", [&] { return edit->GetEditText() == "x"; }));
  ASSERT_TRUE(Drive(Click(100, 135), [&] { return Count(5, kNotifyClicked) == 1; }));
  EXPECT_FALSE(edit->IsEditing());
  EXPECT_EQ(Count(213, kNotifyEditEnded), 1);
  EXPECT_EQ(edit->GetEditText(), "x");
}
