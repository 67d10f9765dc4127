#include <gtest/gtest.h>

#include "QorUI/control_factory.h"
#include "QorUI/manager.h"
#include "QorUI/menu_wnd.h"
#include "QorUI/panel.h"
#include "QorUI/tab_ctrl.h"
#include "probe.h"
#include "test_support.h"

using ContainersTest = HeadlessTest;

namespace {
std::unique_ptr<MControl> MakeProbe(MObject* parent, UINT id, CRect rect, const char*, int visible,
                                    int) {
  auto p = std::make_unique<Probe>(parent, id, rect, 0xFF00FF00);
  p->SetControlVisible(visible);
  return p;
}
}  // namespace

TEST_F(ContainersTest, FactoryNamesAreExactAndTablesDiffer) {
  struct Case {
    const char* name;
    bool painter, panel;
  };
  const Case cases[] = {{"KeyboardCtrl", true, true},
                        {"Keyboardctrl", false, false},
                        {"keyboardctrl", false, false},
                        {"DListBox", false, true},
                        {"KeyFuncControl", false, true},
                        {"BatteryCtrl", true, false},
                        {"CComboBoxList", true, false},
                        {"MTabLayout", true, true},
                        {"", false, false},
                        {"MPanel", false, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(ControlFactory::Accepts(ControlFactory::Table::kPainter, c.name), c.painter)
        << c.name;
    EXPECT_EQ(ControlFactory::Accepts(ControlFactory::Table::kPanel, c.name), c.panel) << c.name;
  }
  EXPECT_FALSE(ControlFactory::Register("NoSuchControl", MakeProbe));
  ASSERT_TRUE(ControlFactory::Register("DListBox", MakeProbe));

  TestDialog dlg;
  Open(dlg);
  EXPECT_EQ(dlg.CreateControl("DListBox", 5, CRect(0, 0, 10, 10)), nullptr);
  EXPECT_EQ(dlg.CreateControl(nullptr, 5, CRect()), nullptr);
  auto* page = static_cast<MTabLayout*>(dlg.CreateControl("MTabLayout", 6, CRect(0, 0, 200, 200)));
  ASSERT_NE(page, nullptr);
  MControl* list = page->CreateControl("DListBox", 7, CRect(10, 10, 50, 50));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetManager(), &dlg.GetPaintManager());
  EXPECT_EQ(dlg.GetControl(7), list);
  auto* tabs = dlg.CreateControl("MTabCtrl", 8, CRect(0, 0, 100, 30));
  ASSERT_NE(tabs, nullptr);
  EXPECT_NE(dynamic_cast<MTabCtrl*>(tabs), nullptr);
  EXPECT_NE(dynamic_cast<MenuItem*>(dlg.CreateArea("MenuItem", 9, CRect(), "Exit")), nullptr);
  EXPECT_EQ(dlg.GetPaintManager().GetAreas().size(), 1u);
}

TEST_F(ContainersTest, PanelForwardsNotificationsWithTheChildsId) {
  TestDialog dlg;
  MPanel* panel = nullptr;
  dlg.build = [&](TestDialog& d) {
    panel =
        static_cast<MPanel*>(d.AddControl(std::make_unique<MPanel>(&d, 50, CRect(0, 0, 300, 200))));
    panel->AddChild(std::make_unique<Probe>(panel, 51, CRect(10, 10, 60, 60), 0xFFFF0000));
  };
  const HWND hwnd = Open(dlg);
  host->Click(hwnd, CPoint(20, 20));
  EXPECT_EQ(dlg.Codes(51), (std::vector<UINT>{kNotifyPressed, kNotifyClicked}));
  EXPECT_TRUE(dlg.Codes(50).empty());
}

TEST_F(ContainersTest, PanelScrollsOversizedContentAndShiftsPoints) {
  TestDialog dlg;
  MPanel* panel = nullptr;
  Probe *deep = nullptr, *bar_like = nullptr;
  dlg.build = [&](TestDialog& d) {
    panel =
        static_cast<MPanel*>(d.AddControl(std::make_unique<MPanel>(&d, 50, CRect(0, 0, 300, 200))));
    deep = static_cast<Probe*>(
        panel->AddChild(std::make_unique<Probe>(panel, 60, CRect(10, 450, 100, 500), 0xFFFF0000)));
  };
  const HWND hwnd = Open(dlg);
  panel->SetVirtualHeight(600);
  EXPECT_FALSE(panel->IsScrolling());  // only at the next placement
  panel->SetRect(CRect(0, 0, 300, 200));
  ASSERT_TRUE(panel->IsScrolling());
  EXPECT_EQ(panel->GetScrollVertical()->GetRect(), CRect(293, 0, 300, 200));
  EXPECT_TRUE(panel->GetScrollVertical()->IsVisible());
  EXPECT_FALSE(panel->GetScrollHorizontal()->IsVisible());
  EXPECT_EQ(panel->GetScrollVertical()->GetRange(), 600);

  // Wheel down twice: 2 steps of 30 out of 600 -> offset 60 * 400 / 600.
  host->MouseMove(hwnd, CPoint(150, 100));
  host->Wheel(hwnd, CPoint(150, 100), -240);
  EXPECT_EQ(panel->GetScrollVertical()->GetPos(), 60);
  EXPECT_EQ(panel->GetScrollOffset(), CPoint(0, 40));
  host->Wheel(hwnd, CPoint(150, 100), 120 * 10);  // clamped at the start
  EXPECT_EQ(panel->GetScrollVertical()->GetPos(), 0);

  panel->GetScrollVertical()->SetPos(600);  // to the end: offset 400
  panel->UpdateControl(0);
  host->Pump();
  // Content y 450..500 shows at 50..100.
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(20, 60), 0xFFFF0000));
  host->Click(hwnd, CPoint(20, 60));
  ASSERT_EQ(deep->points.size(), 1u);
  EXPECT_EQ(deep->points[0], CPoint(20, 460));

  // A child with id 1 becomes a scroll bar at placement and gets unshifted points.
  bar_like = static_cast<Probe*>(
      panel->AddChild(std::make_unique<Probe>(panel, 1, CRect(0, 0, 5, 5), 0xFF0000FF)));
  panel->SetVirtualHeight(600);
  panel->SetRect(CRect(0, 0, 300, 200));
  EXPECT_EQ(bar_like->GetRect(), CRect(293, 0, 300, 200));
  panel->GetScrollVertical()->SetPos(300);
  host->Click(hwnd, CPoint(295, 150));
  ASSERT_FALSE(bar_like->points.empty());
  EXPECT_EQ(bar_like->points.back(), CPoint(295, 150));
}

TEST_F(ContainersTest, WheelReachesTheControlUnderThePointerThenItsParents) {
  // outer scrolls and holds inner (scrolls too, holding leaf) and side, which
  // never takes the wheel.
  enum Who { kLeaf, kInner, kOuter };
  struct Case {
    CPoint at;
    bool leaf_takes_wheel;
    bool moved_there_first;
    Who scrolled;
  };
  const Case cases[] = {
      {{50, 40}, true, true, kLeaf},   {{50, 40}, true, false, kLeaf},
      {{50, 40}, false, true, kInner}, {{150, 120}, true, true, kInner},
      {{250, 30}, true, true, kOuter}, {{250, 150}, true, true, kOuter},
  };
  for (const Case& c : cases) {
    TestDialog dlg;
    MPanel *outer = nullptr, *inner = nullptr;
    Probe* leaf = nullptr;
    dlg.build = [&](TestDialog& d) {
      outer = static_cast<MPanel*>(
          d.AddControl(std::make_unique<MPanel>(&d, 50, CRect(0, 0, 300, 200))));
      inner = static_cast<MPanel*>(
          outer->AddChild(std::make_unique<MPanel>(outer, 51, CRect(10, 10, 200, 150))));
      leaf = static_cast<Probe*>(
          inner->AddChild(std::make_unique<Probe>(inner, 52, CRect(20, 20, 100, 60), 0xFFFF0000)));
      auto* side = static_cast<Probe*>(
          outer->AddChild(std::make_unique<Probe>(outer, 53, CRect(220, 10, 280, 60), 0xFF0000FF)));
      side->takes_wheel = false;
    };
    const HWND hwnd = Open(dlg);
    for (MPanel* p : {outer, inner}) {
      p->SetVirtualHeight(600);
      p->SetRect(p->GetRect());
    }
    leaf->takes_wheel = c.leaf_takes_wheel;
    if (c.moved_there_first) host->MouseMove(hwnd, c.at);
    host->Wheel(hwnd, c.at, -WHEEL_DELTA);
    const std::string where = std::to_string(c.at.x) + "," + std::to_string(c.at.y);
    EXPECT_EQ(leaf->scrolls.size(), c.scrolled == kLeaf ? 1u : 0u) << where;
    EXPECT_EQ(inner->GetScrollVertical()->GetPos() > 0, c.scrolled == kInner) << where;
    EXPECT_EQ(outer->GetScrollVertical()->GetPos() > 0, c.scrolled == kOuter) << where;
  }
}

TEST_F(ContainersTest, TabSelectionNotifiesOnceAndSwitchesPages) {
  TestDialog dlg;
  MTabCtrl* tabs = nullptr;
  std::vector<MControl*> pages;
  dlg.build = [&](TestDialog& d) {
    tabs = static_cast<MTabCtrl*>(d.CreateControl("MTabCtrl", 40, CRect(0, 0, 300, 40)));
    for (UINT i = 0; i < 3; ++i)
      pages.push_back(d.CreateControl("MTabLayout", 41 + i, CRect(0, 40, 300, 300), "", 0));
  };
  const HWND hwnd = Open(dlg);
  tabs->SetTabCtrlHeight(40);
  for (UINT i = 0; i < 3; ++i) tabs->InsertItem(100 + i, "Tab", "", pages[i], -1, 100);
  EXPECT_EQ(tabs->SetSelectItem(0), -1);
  EXPECT_EQ(dlg.notices, (std::vector<Notice>{{40, kNotifyClicked, 0, 0}}));
  EXPECT_EQ(tabs->SetSelectItem(0), 0);  // the current one: nothing
  EXPECT_EQ(tabs->SetSelectItem(7), 0);  // out of range: nothing
  EXPECT_EQ(dlg.notices.size(), 1u);
  EXPECT_TRUE(pages[0]->IsVisible());
  host->Click(hwnd, CPoint(250, 20));
  EXPECT_EQ(tabs->GetSelectItem(), 2);
  EXPECT_EQ(dlg.notices.back(), (Notice{40, kNotifyClicked, 2, 0}));
  EXPECT_FALSE(pages[0]->IsVisible());
  EXPECT_TRUE(pages[2]->IsVisible());
  // An empty part of a page is not taken: the press drags the window.
  host->LButtonDown(hwnd, CPoint(150, 200));
  host->LButtonUp(hwnd, CPoint(150, 200));
  EXPECT_EQ(host->Window(hwnd)->MoveDrags(), 1);
}

TEST_F(ContainersTest, TabWidthsFollowTheMinimumRuleAndHiddenTabsTakeNoSpace) {
  struct Case {
    int tabs;
    int expected;
  };
  for (const Case& c : {Case{4, 75}, Case{10, 40}, Case{2, 100}}) {
    MTabCtrl strip(nullptr, 1, CRect(0, 0, 300, 40));
    for (int i = 0; i < c.tabs; ++i) strip.InsertItem(i, "t", "", nullptr, -1, 60);
    strip.SetItemWidth(100, 40, 1);
    EXPECT_EQ(strip.GetItemWidth(), c.expected) << c.tabs;
    EXPECT_EQ(strip.GetItemInfo(1)->rect.left, c.expected);
  }
  MTabCtrl strip(nullptr, 1, CRect(10, 5, 400, 45));
  strip.SetLeftRightPading(4, 0);
  strip.SetTopBottomPading(2, 0);
  strip.SetTabCtrlHeight(30);
  for (int i = 0; i < 3; ++i) strip.InsertItem(i, "t", "", nullptr, -1, 50);
  strip.SetItemVisible(1, 0);
  EXPECT_TRUE(strip.GetItemInfo(1)->rect.IsRectEmpty());
  EXPECT_EQ(strip.GetItemInfo(2)->rect, CRect(64, 7, 114, 37));
  EXPECT_EQ(strip.GetItemInfo(9), nullptr);
  EXPECT_EQ(strip.GetItemID(9), 0u);

  MTabCtrl vertical(nullptr, 1, CRect(0, 50, 76, 600));
  vertical.SetTabType(TAB_TYPE_VERTICAL);
  vertical.SetTabCtrlHeight(80);
  for (int i = 0; i < 3; ++i) vertical.InsertItem(i, "t", "", nullptr);
  EXPECT_EQ(vertical.GetItemInfo(1)->rect, CRect(0, 131, 76, 211));  // 1 pixel apart
}

TEST_F(ContainersTest, TabWidthWithoutAnItemWidthSurvivesHidingTheFirstTab) {
  struct Step {
    int index, visible;
  };
  struct Case {
    std::vector<Step> steps;
    int inserted_after;  // tabs inserted once the steps are done
  };
  const std::vector<Case> cases = {
      {{{0, 0}}, 0},
      {{{0, 0}, {0, 1}}, 0},
      {{{0, 0}}, 1},
      {{{0, 0}, {1, 0}, {1, 1}}, 0},
  };
  for (std::size_t n = 0; n < cases.size(); ++n) {
    SCOPED_TRACE(n);
    MTabCtrl strip(nullptr, 1, CRect(0, 0, 400, 30));
    strip.SetTabCtrlHeight(30);
    for (int i = 0; i < 3; ++i) strip.InsertItem(i, "t", "", nullptr, -1, 50);
    for (const Step& s : cases[n].steps) strip.SetItemVisible(s.index, s.visible);
    for (int i = 0; i < cases[n].inserted_after; ++i)
      strip.InsertItem(10 + i, "t", "", nullptr, -1, 50);
    int x = 0;
    for (int i = 0; i < strip.GetItemCount(); ++i) {
      const CRect r = strip.GetItemInfo(i)->rect;
      if (!strip.GetItemVisible(i)) {
        EXPECT_TRUE(r.IsRectEmpty()) << i;
        continue;
      }
      EXPECT_EQ(r, CRect(x, 0, x + 50, 30)) << i;
      x += 50;
    }
  }
}

TEST_F(ContainersTest, MenuPostsTheItemIdAndClosesOnClick) {
  TestDialog owner;
  const HWND owner_hwnd = Open(owner);
  auto* menu = new MenuWnd(&owner);
  ASSERT_EQ(menu->Create(owner_hwnd, CPoint(500, 400), WM_USER + 77, "", 4, 180, BACK_MODE_NORMAL),
            1);
  menu->AddMenu("Open", 301);
  menu->AddSeparator(302);
  menu->AddMenu("Exit", 303);
  const auto items = menu->GetItems();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0]->GetRect(), CRect(2, 6, 178, 41));
  EXPECT_EQ(items[1]->GetRect(), CRect(6, 42, 179, 43));
  EXPECT_EQ(items[2]->GetRect(), CRect(2, 45, 178, 80));
  EXPECT_EQ(menu->GetWindowRect(), CRect(500, 400, 680, 486));
  menu->SetItemVisible("Open", 0);  // hidden items take no space
  EXPECT_EQ(items[2]->GetRect(), CRect(2, 10, 178, 45));
  const HWND menu_hwnd = menu->GetSafeHwnd();
  menu->ShowWindow(SW_SHOW);
  host->Pump();
  host->MouseMove(menu_hwnd, CPoint(50, 20));
  EXPECT_EQ(items[2]->GetState(), 1);
  host->Click(menu_hwnd, CPoint(50, 20));
  EXPECT_EQ(MWindow::FromHandle(menu_hwnd), nullptr);  // closed, and freed by itself
  ASSERT_EQ(owner.posted.size(), 1u);
  EXPECT_EQ(owner.posted[0].message, WM_USER + 77);
  EXPECT_EQ(owner.posted[0].lParam, 303);
}

TEST_F(ContainersTest, MenuClosesSilentlyWhenTheUserClicksElsewhere) {
  TestDialog owner;
  const HWND owner_hwnd = Open(owner);
  auto* menu = new MenuWnd(&owner);
  ASSERT_EQ(menu->Create(owner_hwnd, CPoint(10, 10), WM_USER + 77, "", 4, 0, BACK_MODE_NORMAL), 1);
  menu->AddMenu("A rather long menu entry that widens the menu", 301);
  EXPECT_GT(menu->GetMenuWidth(), 300);
  const HWND menu_hwnd = menu->GetSafeHwnd();
  menu->ShowWindow(SW_SHOW);
  host->Pump();
  host->ActivateWindow(owner_hwnd);
  EXPECT_EQ(MWindow::FromHandle(menu_hwnd), nullptr);
  EXPECT_TRUE(owner.posted.empty());
}

TEST_F(ContainersTest, CheckableMenuItemReportsThenToggles) {
  TestDialog owner;
  const HWND owner_hwnd = Open(owner);
  auto* menu = new MenuWnd(&owner);
  ASSERT_EQ(menu->Create(owner_hwnd, CPoint(10, 10), WM_USER + 77, "", 4, 200, BACK_MODE_NORMAL),
            1);
  menu->AddMenu("Start with system", 401, "", 1, 0);
  MenuItem* item = menu->GetItems()[0];
  const HWND menu_hwnd = menu->GetSafeHwnd();
  menu->ShowWindow(SW_SHOW);
  host->MouseMove(menu_hwnd, CPoint(50, 20));
  host->LButtonDown(menu_hwnd, CPoint(50, 20));
  ASSERT_EQ(owner.posted.size(), 1u);
  EXPECT_EQ(owner.posted[0].wParam, 0u);  // the check before the click
  EXPECT_EQ(item->GetCheck(), 0);
  host->LButtonUp(menu_hwnd, CPoint(50, 20));
  EXPECT_EQ(item->GetCheck(), 1);
  EXPECT_EQ(owner.posted.size(), 2u);
}

namespace {
struct Label : MControlFont {
  using MControlFont::MControlFont;
  void DrawControl(Canvas&, const CRect&) override {}
};
}  // namespace

TEST_F(ContainersTest, StateImagesAreCutIntoFramesFromTheSkinFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir / "skins/theme1");
  Canvas strip(90, 20);  // three 30-pixel frames: red, green, blue
  strip.FillRect(CRect(0, 0, 30, 20), 0xFFFF0000);
  strip.FillRect(CRect(30, 0, 60, 20), 0xFF00FF00);
  strip.FillRect(CRect(60, 0, 90, 20), 0xFF0000FF);
  ASSERT_TRUE(strip.SavePng(dir / "skins/theme1/tab.png"));
  const std::string saved = Manager::GetProgramFolder();
  Manager::SetProgramFolder(dir.path());

  Label loose(nullptr, 1, CRect());
  EXPECT_EQ(loose.SetImage("tab.png", 3), 0);  // no manager yet

  TestDialog dlg;
  MTabCtrl* tabs = nullptr;
  dlg.build = [&](TestDialog& d) {
    tabs = static_cast<MTabCtrl*>(d.CreateControl("MTabCtrl", 40, CRect(0, 0, 200, 40)));
  };
  const HWND hwnd = Open(dlg);
  auto* label = static_cast<MControlFont*>(
      dlg.AddControl(std::make_unique<Label>(&dlg, 2, CRect(0, 100, 10, 110))));
  EXPECT_EQ(label->SetImage("missing.png", 4), 0);
  ASSERT_EQ(label->SetImage("tab.png", 3), 1);
  EXPECT_EQ(label->GetImageSize(), CSize(30, 20));
  EXPECT_EQ(label->GetFrameRect(2), CRect(60, 0, 90, 20));

  tabs->SetTabCtrlHeight(40);
  tabs->InsertItem(1, "", "tab.png", nullptr);
  tabs->InsertItem(2, "", "tab.png", nullptr);
  EXPECT_EQ(tabs->GetItemInfo(1)->rect, CRect(30, 0, 60, 40));  // width from the frame
  tabs->SetSelectItem(0);
  host->MouseMove(hwnd, CPoint(45, 20));
  // Icons sit 10 pixels below the tab top: the hover tab shows the second frame.
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(45, 15), 0xFF00FF00));
  EXPECT_TRUE(NearColor(Screen(hwnd).GetPixel(15, 15), 0xFFFF0000));
  Manager::SetProgramFolder(saved);
}

TEST_F(ContainersTest, DraggingAScrollThumbReportsPositions) {
  TestDialog dlg;
  MPanel* panel = nullptr;
  dlg.build = [&](TestDialog& d) {
    panel =
        static_cast<MPanel*>(d.AddControl(std::make_unique<MPanel>(&d, 50, CRect(0, 0, 300, 200))));
  };
  const HWND hwnd = Open(dlg);
  panel->SetVirtualHeight(800);
  panel->SetRect(CRect(0, 0, 300, 200));
  MScroll* bar = panel->GetScrollVertical();
  const CRect thumb = bar->GetThumbRect();
  EXPECT_EQ(thumb, CRect(293, 0, 300, 40));  // 200 * 200 / (200 + 800)
  host->MouseMove(hwnd, CPoint(296, 10));
  host->LButtonDown(hwnd, CPoint(296, 10));
  host->MouseMove(hwnd, CPoint(296, 90), MK_LBUTTON);  // 80 of 160 free pixels
  host->LButtonUp(hwnd, CPoint(296, 90));
  EXPECT_EQ(bar->GetPos(), 400);
  ASSERT_FALSE(dlg.notices.empty());
  EXPECT_EQ(dlg.notices.back(), (Notice{1, kNotifyPositionChanged, 400, 0}));
  EXPECT_EQ(panel->GetScrollOffset(), CPoint(0, 300));
}
