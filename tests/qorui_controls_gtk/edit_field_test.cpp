// MEdit on the desktop host: under a private Xvfb, a click opens the GtkEntry
// over the field, typed text and a CJK string pasted from the clipboard
// reach the control (26), and Return or a press elsewhere ends the edit (29).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "QorUI/buttons.h"
#include "QorUI/controls.h"
#include "QorUI/edit.h"
#include "QorUI/gtk_host.h"
#include "QorUI/manager.h"
#include "qorui/probe.h"
#include "qorui_gtk/xvfb_session.h"

class EditFieldGtkTest : public ::testing::Test {
 protected:
  // One X server for the suite; every test starts the program's way with a
  // host of its own.
  static void SetUpTestSuite() {
    for (const char* tool : {"Xvfb", "xdotool", "xclip"})
      if (!HaveTool(tool)) s_missing = tool;
    if (!s_missing.empty() || !s_xvfb.Start()) return;
    setenv("DISPLAY", s_xvfb.Display().c_str(), 1);
  }

  void SetUp() override {
    if (!s_missing.empty()) GTEST_SKIP() << s_missing << " is not installed";
    ASSERT_FALSE(s_xvfb.Display().empty()) << "Xvfb did not start";
    auto gtk = CreateGtkHost();
    ASSERT_NE(gtk, nullptr) << "cannot open " << s_xvfb.Display();
    host = gtk.get();
    Host::Install(std::move(gtk));
    Manager::InitGdiplus();
    RegisterControls();
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
    ASSERT_FALSE(m_wid.empty());
  }
  void TearDown() override {
    if (!host) return;
    dlg.DestroyWindow();
    Manager::UnInitGdiplus();
    Host::Install(nullptr);
  }

  bool Drive(const std::string& command, std::function<bool()> until = nullptr,
             std::string* output = nullptr) {
    return ::Drive(host, command, std::move(until), output);
  }
  std::string Click(int x, int y) const { return ClickAt(m_wid, x, y); }
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
