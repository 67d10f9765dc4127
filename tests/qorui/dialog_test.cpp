#include "QorUI/dialog.h"

#include <gtest/gtest.h>

#include "QorUI/manager.h"
#include "QorUI/popup_wnd.h"
#include "probe.h"

using DialogTest = HeadlessTest;

TEST_F(DialogTest, ModalResultIsTheClosingCode) {
  struct Case {
    const char* how;
    std::function<void(TestDialog&, HeadlessHost&)> close;
    UINT result;
  };
  const Case cases[] = {
      {"DoOK", [](TestDialog& d, HeadlessHost&) { d.DoOK(); }, IDOK},
      {"DoCancel", [](TestDialog& d, HeadlessHost&) { d.DoCancel(); }, IDCANCEL},
      {"DoClose", [](TestDialog& d, HeadlessHost&) { d.DoClose(); }, IDCANCEL},
      {"DoYes", [](TestDialog& d, HeadlessHost&) { d.DoYes(); }, IDYES},
      {"DoNo", [](TestDialog& d, HeadlessHost&) { d.DoNo(); }, IDNO},
      {"system close", [](TestDialog& d, HeadlessHost& h) { h.CloseWindow(d.GetSafeHwnd()); }, 0},
      {"WM_CLOSE 42", [](TestDialog& d, HeadlessHost&) { d.PostMessageW(WM_CLOSE, 42, 0); }, 42},
  };
  for (const Case& c : cases) {
    TestDialog owner;
    Open(owner);
    TestDialog dlg;
    ASSERT_NE(dlg.Create(owner.GetSafeHwnd(), CRect(0, 0, 200, 100)), 0u);
    bool owner_disabled = false;
    bool acted = false;
    host->SetIdleHandler([&] {
      if (acted) return false;
      acted = true;
      owner_disabled = !owner.IsWindowEnabled();
      c.close(dlg, *host);
      return true;
    });
    EXPECT_EQ(dlg.ShowModal(), c.result) << c.how;
    EXPECT_TRUE(owner_disabled) << c.how;
    EXPECT_TRUE(owner.IsWindowEnabled()) << c.how;
    EXPECT_EQ(dlg.GetSafeHwnd(), 0u);
    host->SetIdleHandler(nullptr);
  }
}

TEST_F(DialogTest, WindowlessModalAndRepeatedCreate) {
  TestDialog never;
  EXPECT_EQ(never.ShowModal(), kModalNoWindow);
  TestDialog dlg;
  const HWND first = dlg.Create(0, CRect(0, 0, 300, 200));
  EXPECT_NE(first, 0u);
  EXPECT_EQ(dlg.Create(0, CRect(0, 0, 10, 10)), first);
  EXPECT_EQ(dlg.init_client, CRect(0, 0, 300, 200));
  // Created windows are undecorated: caption and sizing frame are stripped.
  EXPECT_EQ(dlg.GetStyle() & (WS_CAPTION | WS_THICKFRAME), 0u);
  EXPECT_EQ(dlg.SetIcon("no/such/icon.png"), 0);
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.GetWindowTextLengthW(), -1);
  EXPECT_EQ(dlg.SetIcon("icon.png"), 0);
  EXPECT_EQ(MWindow::FromHandle(first), nullptr);
}

TEST_F(DialogTest, PostQuitEndsNestedLoopsAndTheMainLoop) {
  TestDialog dlg;
  dlg.Create(0, CRect(0, 0, 100, 100));
  host->SetIdleHandler([] {
    PostQuitMessage(3);
    return true;
  });
  EXPECT_EQ(dlg.ShowModal(), 0u);
  EXPECT_NE(dlg.GetSafeHwnd(), 0u);  // the window is still there
  EXPECT_EQ(Manager::MessageLoop(), 3);
  host->SetIdleHandler(nullptr);
}

TEST_F(DialogTest, CenterWindowStaysInsideTheWorkArea) {
  struct Case {
    CRect work;
    CSize size;
    CRect ref;  // empty: no reference window
    CPoint expected;
  };
  const Case cases[] = {
      {{0, 0, 1920, 1040}, {400, 300}, {}, {760, 370}},
      {{0, 0, 1920, 1040}, {400, 300}, {1000, 600, 1800, 1000}, {1200, 650}},
      // The reference's centre would push the window past the right and bottom edges.
      {{0, 0, 1920, 1040}, {400, 300}, {1700, 900, 1900, 1030}, {1520, 740}},
      // Larger than the work area: its top-left.
      {{100, 50, 1000, 700}, {1280, 720}, {}, {100, 50}},
  };
  for (const Case& c : cases) {
    host->SetWorkArea(c.work);
    TestDialog ref;
    if (!c.ref.IsRectEmpty()) {
      ref.Create(0, c.ref);
      ref.ShowWindow(SW_SHOW);
    }
    TestDialog dlg;
    dlg.Create(0, CRect(CPoint(5, 5), c.size));
    dlg.CenterWindow(c.ref.IsRectEmpty() ? nullptr : &ref);
    EXPECT_EQ(dlg.GetWindowRect(), CRect(c.expected, c.size));
  }
}

TEST_F(DialogTest, SizeChangesReachUISizeAndRepaint) {
  TestDialog dlg;
  const HWND hwnd = Open(dlg, CSize(200, 100));
  dlg.MoveWindow(10, 10, 300, 150);
  ASSERT_FALSE(dlg.sized.empty());
  EXPECT_EQ(dlg.sized.back(), CRect(0, 0, 300, 150));
  host->Pump();
  EXPECT_EQ(host->Window(hwnd)->Screen().Width(), 300);
}

TEST_F(DialogTest, AltF4NeverReachesTheWindow) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(0, 0, 50, 50), 0xFF000000); };
  const HWND hwnd = Open(dlg);
  host->SetModifiers(MK_ALT);
  host->KeyDown(hwnd, VK_F4);
  EXPECT_TRUE(p->keys.empty());
  host->SetModifiers(0);
  host->KeyDown(hwnd, VK_F4);
  EXPECT_EQ(p->keys, std::vector<UINT>{VK_F4});
}

class TestPopup : public MPopupWnd {
 public:
  int destroyed = 0;
  void PostNcDestroy() override { ++destroyed; }
};

TEST_F(DialogTest, PopupClosesWhenAnotherWindowIsActivated) {
  TestDialog dlg;
  const HWND owner = Open(dlg);
  TestPopup popup;
  ASSERT_NE(popup.Create(owner, CRect(120, 120, 220, 220)), 0u);
  EXPECT_EQ(popup.GetClassNameW(), nullptr);
  popup.ShowWindow(SW_SHOW);
  host->Pump();
  EXPECT_EQ(host->Window(popup.GetSafeHwnd())->Params().kind, WindowKind::kPopup);
  host->ActivateWindow(owner);
  EXPECT_EQ(popup.GetSafeHwnd(), 0u);
  EXPECT_EQ(popup.destroyed, 1);
}

TEST_F(DialogTest, BringToTopRestoresAMinimisedWindow) {
  TestDialog dlg;
  const HWND hwnd = Open(dlg);
  dlg.OnMinimize();
  EXPECT_TRUE(dlg.IsIconic());
  dlg.BringToTop();
  EXPECT_FALSE(dlg.IsIconic());
  EXPECT_TRUE(host->Window(hwnd)->IsActive());
}

TEST_F(DialogTest, LayeredSetInInitUIGivesTheWindowAlphaUntilItIsShown) {
  TestDialog dlg;
  dlg.build = [](TestDialog& d) { d.SetLayeredWindow(1); };
  const HWND hwnd = dlg.Create(0, "Layered", 0x80B, 0, CRect(100, 100, 300, 200));
  EXPECT_TRUE(host->Window(hwnd)->HasAlpha());
  dlg.ShowWindow(SW_SHOW);
  dlg.SetLayeredWindow(0);  // too late: the visual stays
  EXPECT_TRUE(host->Window(hwnd)->HasAlpha());

  TestDialog plain;
  const HWND opaque = plain.Create(0, "Plain", 0x80B, 0, CRect(100, 100, 300, 200));
  EXPECT_FALSE(host->Window(opaque)->HasAlpha());
}
