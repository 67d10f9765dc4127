// The GTK host under a private Xvfb: hosts installed one after another in
// one process each show their windows and deliver clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "QorUI/controls.h"
#include "QorUI/gtk_host.h"
#include "QorUI/manager.h"
#include "qorui/probe.h"
#include "qorui_gtk/xvfb_session.h"

TEST(GtkHost, HostsInstalledInTurnEachShowTheirWindows) {
  for (const char* tool : {"Xvfb", "xdotool"})
    if (!HaveTool(tool)) GTEST_SKIP() << tool << " is not installed";
  static Xvfb xvfb;  // GTK keeps its display open until the process ends
  ASSERT_TRUE(xvfb.Start()) << "Xvfb did not start";
  setenv("DISPLAY", xvfb.Display().c_str(), 1);

  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE("host " + std::to_string(round));
    auto gtk = CreateGtkHost();
    ASSERT_NE(gtk, nullptr);
    Host* host = gtk.get();
    Host::Install(std::move(gtk));
    Manager::InitGdiplus();
    RegisterControls();
    TestDialog dlg;
    dlg.build = [](TestDialog& d) { d.CreateControl("MButton", 5, CRect(20, 20, 140, 60), "OK"); };
    const std::string title = "Host round " + std::to_string(round);
    ASSERT_NE(dlg.Create(0, title.c_str(), 0x80B, 0, CRect(100, 100, 400, 300)), 0u);
    dlg.ShowWindow(SW_SHOW);
    std::string wid;
    Drive(host, "xdotool search --sync --onlyvisible --name '" + title + "' | head -1", nullptr,
          &wid);
    ASSERT_FALSE(wid.empty()) << "the window was not shown";
    EXPECT_TRUE(Drive(host, ClickAt(wid, 60, 40), [&] {
      const std::vector<UINT> codes = dlg.Codes(5);
      return std::find(codes.begin(), codes.end(), kNotifyClicked) != codes.end();
    }));
    // A wake-up still pending when the host goes must not reach its successor.
    host->Post([] {});
    dlg.DestroyWindow();
    Manager::UnInitGdiplus();
    Host::Install(nullptr);
  }
}
