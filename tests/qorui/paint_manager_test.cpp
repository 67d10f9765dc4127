#include "QorUI/paint_manager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "QorUI/manager.h"
#include "QorUI/panel.h"
#include "QorUI/render.h"
#include "framework/overlay_box.h"
#include "probe.h"
#include "test_support.h"

namespace {
constexpr ARGB kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// Kept outside the control so the check itself never reads a freed object.
bool g_notifier_destroyed = false;
bool g_notifier_alive_after_notify = false;

// Notifies, then goes on using itself, as controls that send 30 then 1 do.
class Notifier : public Probe {
 public:
  using Probe::Probe;
  ~Notifier() override { g_notifier_destroyed = true; }
  int OnControlLButtonUp(UINT, CPoint) override {
    SendMessageW(kNotifyClicked);
    g_notifier_alive_after_notify = !g_notifier_destroyed;
    log.push_back("after");
    UpdateControl(1);
    return 1;
  }
};
}  // namespace

using PaintManagerTest = HeadlessTest;

TEST_F(PaintManagerTest, ClickGoesToTheTopmostSiblingAndCapturesUntilRelease) {
  TestDialog dlg;
  Probe *below = nullptr, *above = nullptr;
  dlg.build = [&](TestDialog& d) {
    below = d.AddProbe(10, CRect(10, 10, 110, 60), kRed);
    above = d.AddProbe(11, CRect(60, 20, 160, 80), kGreen);
  };
  const HWND hwnd = Open(dlg);
  host->MouseMove(hwnd, CPoint(80, 40));
  host->LButtonDown(hwnd, CPoint(80, 40));
  EXPECT_TRUE(host->Window(hwnd)->IsCaptured());
  host->LButtonUp(hwnd, CPoint(80, 40));
  EXPECT_FALSE(host->Window(hwnd)->IsCaptured());
  EXPECT_EQ(dlg.Codes(11), (std::vector<UINT>{kNotifyPressed, kNotifyClicked}));
  EXPECT_TRUE(dlg.Codes(10).empty());
  EXPECT_TRUE(below->log.empty());
  EXPECT_EQ(dlg.GetPaintManager().GetFocusControl(), above);
  // A release outside the pressed control is delivered but is no click.
  host->LButtonDown(hwnd, CPoint(20, 20));
  host->LButtonUp(hwnd, CPoint(300, 250));
  EXPECT_EQ(below->log, (std::vector<std::string>{"down", "up"}));
  EXPECT_EQ(dlg.Codes(10), std::vector<UINT>{kNotifyPressed});
}

TEST_F(PaintManagerTest, ChildrenRouteByTopmostAndPressedChildKeepsTheMoves) {
  TestDialog dlg;
  Probe *parent = nullptr, *a = nullptr, *b = nullptr;
  dlg.build = [&](TestDialog& d) {
    parent = d.AddProbe(20, CRect(0, 0, 300, 200), kBlue);
    a = static_cast<Probe*>(
        parent->AddChild(std::make_unique<Probe>(parent, 21, CRect(10, 10, 100, 100), kRed)));
    b = static_cast<Probe*>(
        parent->AddChild(std::make_unique<Probe>(parent, 22, CRect(50, 50, 150, 150), kGreen)));
  };
  const HWND hwnd = Open(dlg);
  // Notifications of nested controls travel up with their own ids.
  host->Click(hwnd, CPoint(60, 60));
  EXPECT_EQ(b->log, (std::vector<std::string>{"down", "up"}));
  EXPECT_TRUE(a->log.empty());
  EXPECT_TRUE(parent->log.empty());
  // Press inside a, then drag far outside it: a keeps getting the moves.
  host->MouseMove(hwnd, CPoint(20, 20));
  host->LButtonDown(hwnd, CPoint(20, 20));
  a->moves.clear();
  host->MouseMove(hwnd, CPoint(250, 180), MK_LBUTTON);
  ASSERT_FALSE(a->moves.empty());
  EXPECT_EQ(a->moves.back(), CPoint(250, 180));
  host->LButtonUp(hwnd, CPoint(250, 180));
  // Empty parts of the parent go to the parent itself.
  host->Click(hwnd, CPoint(250, 20));
  EXPECT_EQ(parent->log, (std::vector<std::string>{"down", "up"}));
}

TEST_F(PaintManagerTest, PressHandsTheFocusStraightToTheControlHit) {
  TestDialog dlg;
  MPanel* panel = nullptr;
  Probe *leaf = nullptr, *other = nullptr, *top = nullptr;
  std::vector<std::string> log;
  dlg.build = [&](TestDialog& d) {
    panel =
        static_cast<MPanel*>(d.AddControl(std::make_unique<MPanel>(&d, 30, CRect(0, 0, 300, 200))));
    leaf = static_cast<Probe*>(
        panel->AddChild(std::make_unique<Probe>(panel, 31, CRect(10, 10, 100, 100), kRed)));
    other = static_cast<Probe*>(
        panel->AddChild(std::make_unique<Probe>(panel, 32, CRect(150, 10, 250, 100), kGreen)));
    top = d.AddProbe(40, CRect(310, 0, 390, 80), kBlue);
  };
  const HWND hwnd = Open(dlg);
  for (Probe* p : {leaf, other, top}) p->focus_log = &log;
  struct Step {
    CPoint at;
    bool right;
    MControl* focus;
    std::vector<std::string> changes;
  };
  const Step steps[] = {
      {{20, 20}, false, leaf, {"31+"}},
      {{30, 30}, false, leaf, {}},  // a second press keeps the focus where it is
      {{40, 40}, true, leaf, {}},
      {{160, 20}, false, other, {"31-", "32+"}},
      {{200, 150}, false, panel, {"32-"}},  // the panel's own empty part
      {{320, 20}, false, top, {"40+"}},
      {{395, 250}, false, nullptr, {"40-"}},  // the window's background
  };
  for (const Step& s : steps) {
    log.clear();
    if (s.right)
      host->RightClick(hwnd, s.at);
    else
      host->Click(hwnd, s.at);
    EXPECT_EQ(dlg.GetPaintManager().GetFocusControl(), s.focus) << s.at.x << "," << s.at.y;
    EXPECT_EQ(log, s.changes) << s.at.x << "," << s.at.y;
  }
}

TEST_F(PaintManagerTest, PressOnEmptyBackgroundDragsTheWindowUnlessDisabled) {
  struct Case {
    int drag;
    int expected;
  };
  for (const Case& c : {Case{1, 1}, Case{0, 0}}) {
    TestDialog dlg;
    dlg.build = [&](TestDialog& d) { d.AddProbe(1, CRect(0, 0, 50, 50), kRed); };
    const HWND hwnd = Open(dlg);
    dlg.EnableWndDrag(c.drag);
    host->LButtonDown(hwnd, CPoint(200, 200));
    host->LButtonUp(hwnd, CPoint(200, 200));
    host->Click(hwnd, CPoint(10, 10));  // a control takes its press: no drag
    EXPECT_EQ(host->Window(hwnd)->MoveDrags(), c.expected) << c.drag;
  }
}

TEST_F(PaintManagerTest, RepaintRequestMarksLaterOverlappingControlsOnly) {
  TestDialog dlg;
  Probe *earlier = nullptr, *self = nullptr, *later = nullptr, *apart = nullptr;
  dlg.build = [&](TestDialog& d) {
    earlier = d.AddProbe(1, CRect(0, 0, 100, 100), kRed);
    self = d.AddProbe(2, CRect(50, 50, 150, 150), kGreen);
    later = d.AddProbe(3, CRect(120, 120, 200, 200), kBlue);
    apart = d.AddProbe(4, CRect(300, 0, 350, 50), kRed);
  };
  const HWND hwnd = Open(dlg);
  for (Probe* p : {earlier, self, later, apart}) ASSERT_EQ(p->renders, 1);
  self->UpdateControl(1);
  EXPECT_EQ(earlier->GetUpdate(), 1);
  EXPECT_EQ(self->GetUpdate(), 0);
  EXPECT_EQ(later->GetUpdate(), 0);
  EXPECT_EQ(apart->GetUpdate(), 1);
  // The repainted area grows by the later control's rectangle.
  EXPECT_EQ(host->Window(hwnd)->Dirty(), CRect(50, 50, 200, 200));
  host->Pump();
  EXPECT_EQ(earlier->renders, 1);
  EXPECT_EQ(self->renders, 2);
  EXPECT_EQ(later->renders, 2);
  EXPECT_EQ(apart->renders, 1);
}

TEST_F(PaintManagerTest, HoverChangeSelectsACachedFrameWithoutRendering) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(20, 20, 120, 60), kRed); };
  const HWND hwnd = Open(dlg);
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(30, 30), kRed));
  host->MouseMove(hwnd, CPoint(30, 30));
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(30, 30), 0xFFFFFFFF));
  host->MouseLeave(hwnd);
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(30, 30), kRed));
  EXPECT_EQ(p->renders, 1);
}

TEST_F(PaintManagerTest, HidingAndMovingRepaintTheOldPlace) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(20, 20, 60, 60), kRed); };
  const HWND hwnd = Open(dlg);
  const ARGB background = Screen(hwnd).GetPixel(200, 200);
  p->SetRect(CRect(100, 100, 140, 140));
  EXPECT_EQ(host->Window(hwnd)->Dirty(), CRect(20, 20, 140, 140));  // one request for both
  host->Pump();
  EXPECT_EQ(Screen(hwnd).GetPixel(30, 30), background);
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(110, 110), kRed));
  p->SetVisible(0);
  host->Pump();
  EXPECT_EQ(Screen(hwnd).GetPixel(110, 110), background);
}

TEST_F(PaintManagerTest, BackgroundIsBorderAndBackColourOrTheImage) {
  TestDialog dlg;
  const HWND hwnd = Open(dlg, CSize(50, 40));
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(0, 0), ArgbFromColorref(0x555028, 0xFE)));
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(49, 39), ArgbFromColorref(0x555028, 0xFE)));
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(1, 1), ArgbFromColorref(0x130D09, 0xFE)));
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(48, 38), ArgbFromColorref(0x130D09, 0xFE)));

  TempDir dir;
  Canvas image(12, 12);
  image.FillRect(image.Bounds(), kGreen);
  image.FillRect(CRect(0, 0, 4, 4), kRed);
  std::filesystem::create_directories(dir / "skins/theme1");
  ASSERT_TRUE(image.SavePng(dir / "skins/theme1/bk.png"));
  const std::string saved = Manager::GetProgramFolder();
  Manager::SetProgramFolder(dir.path());
  for (auto [mode, far_pixel] : {std::pair{BACK_MODE_NORMAL, 0u}, {BACK_MODE_FRAME, kGreen}}) {
    ASSERT_EQ(dlg.LoadBKImage("bk.png"), 1);
    dlg.SetBackMode(mode, 4);
    dlg.GetPaintManager().Invalidate();
    host->Pump();
    EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(1, 1), kRed));
    EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(30, 30), far_pixel)) << mode;
  }
  EXPECT_EQ(dlg.LoadBKImage("missing.png"), 0);
  Manager::SetProgramFolder(saved);
}

TEST_F(PaintManagerTest, TabMovesFocusOverVisibleEnabledTabStops) {
  TestDialog dlg;
  std::vector<Probe*> p;
  dlg.build = [&](TestDialog& d) {
    for (UINT i = 0; i < 4; ++i)
      p.push_back(d.AddProbe(i + 1, CRect(i * 50, 0, i * 50 + 40, 40), kRed));
  };
  const HWND hwnd = Open(dlg);
  for (Probe* c : p) c->SetTabStop(1);
  p[1]->SetVisible(0);
  p[2]->SetEnabled(0);
  PaintManager& pm = dlg.GetPaintManager();
  host->KeyDown(hwnd, VK_TAB);
  EXPECT_EQ(pm.GetFocusControl(), p[0]);
  host->KeyDown(hwnd, VK_TAB);
  EXPECT_EQ(pm.GetFocusControl(), p[3]);
  EXPECT_EQ(p[3]->IsFocused(), 1);
  EXPECT_EQ(p[0]->IsFocused(), 0);
  host->KeyDown(hwnd, VK_TAB);
  EXPECT_EQ(pm.GetFocusControl(), p[0]);
  host->SetModifiers(MK_SHIFT);
  host->KeyDown(hwnd, VK_TAB);
  EXPECT_EQ(pm.GetFocusControl(), p[3]);
  host->SetModifiers(MK_CONTROL);
  host->KeyDown(hwnd, VK_TAB);  // Ctrl+Tab is not navigation
  EXPECT_EQ(pm.GetFocusControl(), p[3]);
}

TEST_F(PaintManagerTest, KeyDownAlwaysNotifiesAndStopsAtTheHandler) {
  TestDialog dlg;
  Probe *a = nullptr, *b = nullptr;
  dlg.build = [&](TestDialog& d) {
    a = d.AddProbe(1, CRect(0, 0, 40, 40), kRed);
    b = d.AddProbe(2, CRect(50, 0, 90, 40), kRed);
  };
  const HWND hwnd = Open(dlg);
  a->handled_key = 'A';
  host->KeyDown(hwnd, 'A');
  EXPECT_EQ(dlg.notices, (std::vector<Notice>{{1, kNotifyKeyDown, 'A', 0}}));
  EXPECT_TRUE(b->keys.empty());
  dlg.notices.clear();
  host->SetModifiers(MK_CONTROL);
  host->KeyDown(hwnd, 'Q');  // nobody handles it: each control reports it
  EXPECT_EQ(dlg.notices,
            (std::vector<Notice>{{1, kNotifyKeyDown, 'Q', 17}, {2, kNotifyKeyDown, 'Q', 17}}));
}

TEST_F(PaintManagerTest, KeysReachAFocusedControlTwoContainersDeep) {
  TestDialog dlg;
  Probe* leaf = nullptr;
  dlg.build = [&](TestDialog& d) {
    auto* outer =
        static_cast<MPanel*>(d.AddControl(std::make_unique<MPanel>(&d, 30, CRect(0, 0, 300, 200))));
    auto* inner = static_cast<MPanel*>(
        outer->AddChild(std::make_unique<MPanel>(outer, 31, CRect(10, 10, 200, 150))));
    leaf = static_cast<Probe*>(
        inner->AddChild(std::make_unique<Probe>(inner, 32, CRect(20, 20, 100, 60), kRed)));
  };
  const HWND hwnd = Open(dlg);
  leaf->handled_key = 'K';
  host->Click(hwnd, CPoint(50, 40));
  dlg.notices.clear();
  host->KeyDown(hwnd, 'K');
  EXPECT_EQ(leaf->keys, std::vector<UINT>{'K'});
  EXPECT_EQ(dlg.notices, (std::vector<Notice>{{32, kNotifyKeyDown, 'K', 0}}));
}

TEST_F(PaintManagerTest, WheelDeltaBecomesWholeStepsWithADirection) {
  struct Case {
    int delta;
    std::vector<std::pair<int, int>> steps;
  };
  const Case cases[] = {{119, {}},
                        {-119, {}},
                        {120, {{1, 0}}},
                        {-240, {{1, 1}, {1, 1}}},
                        {360, {{1, 0}, {1, 0}, {1, 0}}}};
  for (const Case& c : cases) {
    TestDialog dlg;
    Probe* p = nullptr;
    dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(0, 0, 100, 100), kRed); };
    const HWND hwnd = Open(dlg);
    host->MouseMove(hwnd, CPoint(10, 10));
    host->Wheel(hwnd, CPoint(10, 10), c.delta);
    EXPECT_EQ(p->scrolls, c.steps) << c.delta;
  }
}

TEST_F(PaintManagerTest, WindowTimerIdsFollowTheWrappingRule) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(0, 0, 10, 10), kRed); };
  Open(dlg);
  PaintManager& pm = dlg.GetPaintManager();
  std::vector<std::unique_ptr<Probe>> owners;
  std::vector<UINT> ids;
  for (int i = 0; i < 230; ++i) {
    owners.push_back(std::make_unique<Probe>(&dlg, 100 + i, CRect(), kRed));
    ASSERT_EQ(pm.SetTimer(owners.back().get(), 7, 1000), 1);
  }
  // Ids are observed through the WM_TIMER each entry answers to.
  for (UINT id : {17u, 33u, 239u, 0u}) {
    dlg.SendMessageW(WM_TIMER, id, 0);
  }
  EXPECT_EQ(owners[0]->ticks, 1);    // first: 17
  EXPECT_EQ(owners[16]->ticks, 1);   // seventeenth: 33
  EXPECT_EQ(owners[222]->ticks, 1);  // 223rd: 239
  EXPECT_EQ(owners[223]->ticks, 1);  // 224th wraps to 0
  EXPECT_EQ(owners[1]->ticks, 0);

  EXPECT_EQ(pm.SetTimer(p, 1, 50), 1);
  EXPECT_EQ(pm.SetTimer(p, 1, 50), 0);  // already running
  host->AdvanceTime(120);
  EXPECT_EQ(p->ticks, 2);
  EXPECT_EQ(pm.KillTimer(p, 1), 1);
  host->AdvanceTime(200);
  EXPECT_EQ(p->ticks, 2);
  EXPECT_EQ(pm.SetTimer(p, 1, 50), 1);  // a killed entry restarts
  host->AdvanceTime(60);
  EXPECT_EQ(p->ticks, 3);
  // The dialog's own hook sees every WM_TIMER first.
  EXPECT_FALSE(dlg.own_timers.empty());
}

TEST_F(PaintManagerTest, AnimationTickReachesVisibleRunTimerControlsOnly) {
  TestDialog dlg;
  Probe *shown = nullptr, *hidden = nullptr, *inner = nullptr, *off = nullptr;
  dlg.build = [&](TestDialog& d) {
    shown = d.AddProbe(1, CRect(0, 0, 10, 10), kRed);
    hidden = d.AddProbe(2, CRect(0, 0, 10, 10), kRed);
    off = d.AddProbe(3, CRect(0, 0, 10, 10), kRed);
    inner = static_cast<Probe*>(
        hidden->AddChild(std::make_unique<Probe>(hidden, 4, CRect(0, 0, 5, 5), kRed)));
  };
  Open(dlg);
  for (Probe* p : {shown, hidden, inner}) {
    p->SetRunTimer(1);
    p->AddMTimer();
  }
  off->AddMTimer();
  hidden->SetVisible(0);
  ASSERT_NE(dlg.SetMTimer(10), 0u);
  host->AdvanceTime(100);
  EXPECT_EQ(shown->ticks, 10);
  EXPECT_EQ(hidden->ticks, 0);
  EXPECT_EQ(inner->ticks, 0);  // its parent is hidden
  EXPECT_EQ(off->ticks, 0);
  EXPECT_EQ(BrelTimer::GetZynTimer(dlg.GetPaintManager().GetMTimerID()), &dlg.GetPaintManager());
}

TEST_F(PaintManagerTest, RepaintRequestsFromOtherThreadsAreAppliedOnTheUiThread) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(0, 0, 40, 40), kRed); };
  const HWND hwnd = Open(dlg);
  std::thread worker([&] {
    p->UpdateControl(1);
    PostMessage(hwnd, WM_USER + 5, 1, 2);
  });
  worker.join();
  EXPECT_EQ(p->GetUpdate(), 1);  // nothing touched off the UI thread
  host->Pump();
  EXPECT_EQ(p->renders, 2);
  host->Pump();
}

TEST_F(PaintManagerTest, RepaintRequestsForNestedControlsWalkTheTreeOnTheUiThread) {
  TestDialog dlg;
  MPanel* panel = nullptr;
  Probe *nested = nullptr, *above = nullptr;
  dlg.build = [&](TestDialog& d) {
    panel =
        static_cast<MPanel*>(d.AddControl(std::make_unique<MPanel>(&d, 50, CRect(0, 0, 300, 200))));
    nested = static_cast<Probe*>(
        panel->AddChild(std::make_unique<Probe>(panel, 51, CRect(10, 10, 60, 60), kRed)));
    above = static_cast<Probe*>(
        panel->AddChild(std::make_unique<Probe>(panel, 52, CRect(40, 40, 90, 90), kGreen)));
  };
  Open(dlg);
  std::thread([&] { nested->UpdateControl(1); }).join();
  // Neither the control nor the later sibling it overlaps was marked off the UI thread.
  EXPECT_EQ(nested->GetUpdate(), 1);
  EXPECT_EQ(above->GetUpdate(), 1);
  host->Pump();
  EXPECT_EQ(nested->renders, 2);
  EXPECT_EQ(above->renders, 2);

  // Requests keep coming while the UI thread changes the panel's children.
  std::atomic<bool> done = false;
  std::thread worker([&] {
    for (int i = 0; i < 2000; ++i) nested->UpdateControl(i % 2, 0);
    done = true;
  });
  while (!done) {
    MControl* extra =
        panel->AddChild(std::make_unique<Probe>(panel, 53, CRect(0, 0, 20, 20), kBlue));
    host->Pump();
    panel->RemoveControl(extra);
  }
  worker.join();
  host->Pump();
  EXPECT_GT(nested->renders, 2);
  EXPECT_EQ(nested->GetUpdate(), 1);
}

TEST_F(PaintManagerTest, ImageCacheKeepsTheFirstRecordOfAName) {
  TempDir dir;
  std::filesystem::create_directories(dir / "skins/theme1/icon");
  Canvas strip(40, 10);
  ASSERT_TRUE(strip.SavePng(dir / "skins/theme1/icon/strip.png"));
  const std::string saved = Manager::GetProgramFolder();
  Manager::SetProgramFolder(dir.path());
  PaintManager pm;
  ImgResInfo* first = pm.AddImgResInfo("icon\\strip.png", 4);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->frame_width, 10);
  EXPECT_EQ(pm.AddImgResInfo("icon\\strip.png", 2), first);
  EXPECT_EQ(first->frame_width, 10);
  EXPECT_EQ(pm.AddImgResInfo("icon/none.png", 1), nullptr);
  EXPECT_NE(pm.AddImgResInfo(kResScrollVertical, 3), nullptr);
  Manager::SetProgramFolder(saved);
}

TEST_F(PaintManagerTest, ProgressJumpsWhenCloseAndFadesAfterCompletion) {
  TestDialog dlg;
  const HWND hwnd = Open(dlg);
  PaintManager& pm = dlg.GetPaintManager();
  pm.SetProgress(50, "Updating", CRect());
  EXPECT_EQ(pm.GetOverlay().Rect(), CRect(0, 240, 400, 298));
  host->AdvanceTime(100);  // rises by 2 every 10 ms
  EXPECT_EQ(pm.GetOverlay().Shown(), 20);
  host->AdvanceTime(200);
  EXPECT_EQ(pm.GetOverlay().Shown(), 50);
  EXPECT_GT(InkCount(Screen(hwnd), CRect(10, 280, 200, 288)), 100);  // the bar
  pm.SetProgress(96, "Updating", CRect());
  host->AdvanceTime(500);
  ASSERT_EQ(pm.GetOverlay().Shown(), 96);
  pm.SetProgress(100, "Done", CRect());
  EXPECT_EQ(pm.GetOverlay().Shown(), 100);  // jumped
  host->AdvanceTime(2000);
  EXPECT_EQ(pm.GetOverlay().Alpha(), 0);  // faded out
}

TEST_F(PaintManagerTest, MessageHoldsThreeSecondsThenFades) {
  TestDialog dlg;
  const HWND hwnd = Open(dlg);
  PaintManager& pm = dlg.GetPaintManager();
  pm.SetMessage("Saved", CRect(10, 10, 210, 70), MSG_LEVEL_INFO);
  host->Pump();
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(100, 62), 0xFFFEFEFE));
  host->AdvanceTime(2900);
  EXPECT_EQ(pm.GetOverlay().Alpha(), 255);
  host->AdvanceTime(200);
  EXPECT_LT(pm.GetOverlay().Alpha(), 255);
  host->AdvanceTime(2000);
  EXPECT_EQ(pm.GetOverlay().Alpha(), 0);
  EXPECT_NE(Screen(hwnd).GetPixel(100, 62), 0xFFFEFEFEu);
}

TEST_F(PaintManagerTest, ControlRemovedByItsOwnNotificationIsFreedSafely) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(0, 0, 40, 40), kRed); };
  const HWND hwnd = Open(dlg);
  dlg.on_message = [&](UINT id, UINT code) {
    if (id == 1 && code == kNotifyPressed) dlg.GetPaintManager().RemoveControl(p);
  };
  host->Click(hwnd, CPoint(10, 10));
  EXPECT_EQ(dlg.GetControl(1), nullptr);
  EXPECT_EQ(dlg.GetPaintManager().GetHoverControl(), nullptr);
  EXPECT_EQ(dlg.GetPaintManager().GetFocusControl(), nullptr);
}

TEST_F(PaintManagerTest, ControlOutlivesTheWindowItsNotificationCloses) {
  const std::vector<std::function<void(TestDialog&)>> closes = {
      [](TestDialog& d) { d.DestroyWindow(); },
      [](TestDialog& d) { d.SendMessageW(WM_CLOSE); },
  };
  for (std::size_t i = 0; i < closes.size(); ++i) {
    SCOPED_TRACE(i);
    g_notifier_destroyed = g_notifier_alive_after_notify = false;
    TestDialog dlg;
    dlg.build = [&](TestDialog& d) {
      d.AddControl(std::make_unique<Notifier>(&d, 1, CRect(0, 0, 40, 40), kRed));
    };
    const HWND hwnd = Open(dlg);
    dlg.on_message = [&](UINT id, UINT code) {
      if (id == 1 && code == kNotifyClicked) closes[i](dlg);
    };
    host->Click(hwnd, CPoint(10, 10));
    EXPECT_EQ(MWindow::FromHandle(hwnd), nullptr);
    EXPECT_TRUE(g_notifier_alive_after_notify);
    EXPECT_TRUE(g_notifier_destroyed);  // freed once the click was handled
  }
}
