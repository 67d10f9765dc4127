// The GTK host under a private Xvfb: hosts installed one after another in
// one process each show their windows and deliver clicks; a window made
// layered before it is shown gets a visual with alpha.
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
  ASSERT_TRUE(SharedXvfb()) << "Xvfb did not start";

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

TEST(GtkHost, WindowMadeLayeredBeforeItIsShownGetsAnAlphaVisual) {
  for (const char* tool : {"Xvfb", "xdotool", "xcompmgr", "xwininfo"})
    if (!HaveTool(tool)) GTEST_SKIP() << tool << " is not installed";
  ASSERT_TRUE(SharedXvfb()) << "Xvfb did not start";
  Compositor compositor;
  ASSERT_TRUE(compositor.Start());
  auto gtk = CreateGtkHost();
  ASSERT_NE(gtk, nullptr);
  Host* host = gtk.get();
  Host::Install(std::move(gtk));
  Manager::InitGdiplus();

  // GTK learns of the compositor from the display: wait until a window
  // created layered is given alpha.
  bool composited = false;
  for (int i = 0; i < 50 && !composited; ++i) {
    TestDialog probe;
    probe.Create(0, "probe", 0x80B, WS_EX_LAYERED, CRect(0, 0, 10, 10));
    composited = probe.GetNative() && probe.GetNative()->HasAlpha();
    probe.DestroyWindow();
    if (!composited) Drive(host, "sleep 0.1");
  }
  ASSERT_TRUE(composited) << "no compositor seen";

  struct Case {
    const char* title;
    int layered;
    const char* depth;
  };
  for (const Case& c : {Case{"Layered later", 1, "32"}, Case{"Opaque", 0, "24"}}) {
    SCOPED_TRACE(c.title);
    TestDialog dlg;
    dlg.build = [&](TestDialog& d) { d.SetLayeredWindow(c.layered); };
    ASSERT_NE(dlg.Create(0, c.title, 0x80B, 0, CRect(100, 100, 300, 200)), 0u);
    EXPECT_EQ(dlg.GetNative()->HasAlpha(), c.layered != 0);
    dlg.ShowWindow(SW_SHOW);
    std::string depth;
    Drive(host,
          "wid=$(xdotool search --sync --onlyvisible --name '" + std::string(c.title) +
              "' | head -1); xwininfo -id $wid | sed -n 's/.*Depth: *//p'",
          nullptr, &depth);
    EXPECT_EQ(depth, c.depth);
    dlg.DestroyWindow();
  }
  Manager::UnInitGdiplus();
  Host::Install(nullptr);
}
