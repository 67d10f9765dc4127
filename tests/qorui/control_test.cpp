#include "QorUI/control.h"

#include <gtest/gtest.h>

#include "QorUI/paint_manager.h"
#include "probe.h"

using ControlTest = HeadlessTest;

TEST_F(ControlTest, ParentVisibilityEndsAtTheDialog) {
  TestDialog dlg;
  Probe *outer = nullptr, *middle = nullptr, *leaf = nullptr;
  dlg.build = [&](TestDialog& d) {
    outer = d.AddProbe(1, CRect(0, 0, 100, 100), 0xFF000000);
    middle = static_cast<Probe*>(
        outer->AddChild(std::make_unique<Probe>(outer, 2, CRect(0, 0, 50, 50), 0xFF000000)));
    leaf = static_cast<Probe*>(
        middle->AddChild(std::make_unique<Probe>(middle, 3, CRect(0, 0, 20, 20), 0xFF000000)));
  };
  Open(dlg);
  struct Case {
    int outer, middle, expected;
  };
  for (const Case& c : {Case{1, 1, 1}, Case{0, 1, 0}, Case{1, 0, 0}, Case{0, 0, 0}}) {
    outer->SetVisible(c.outer);
    middle->SetVisible(c.middle);
    EXPECT_EQ(leaf->IsParentVisible(), c.expected) << c.outer << c.middle;
  }
  EXPECT_EQ(outer->IsParentVisible(), 1);
  Probe orphan(nullptr, 9, CRect(), 0);
  EXPECT_EQ(orphan.IsParentVisible(), 0);
}

TEST_F(ControlTest, GetControlSearchesControlsDepthFirstBeforeAreas) {
  Probe root(nullptr, 1, CRect(), 0);
  auto* c1 = root.AddChild(std::make_unique<Probe>(&root, 10, CRect(), 0));
  auto* deep = c1->AddChild(std::make_unique<Probe>(c1, 30, CRect(), 0));
  auto* area_dup = root.AddChild(std::make_unique<Probe>(&root, 30, CRect(), 0), 0);
  auto* later_dup = root.AddChild(std::make_unique<Probe>(&root, 30, CRect(), 0));
  EXPECT_EQ(root.GetControl(30), deep);  // subtree of the first child wins
  EXPECT_NE(root.GetControl(30), area_dup);
  EXPECT_NE(root.GetControl(30), later_dup);
  EXPECT_EQ(root.GetControl(99), nullptr);
  root.RemoveControl(c1);
  EXPECT_EQ(root.GetControl(30), later_dup);
}

TEST_F(ControlTest, OnlyKnownCursorNamesSelectACursor) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(0, 0, 50, 50), 0xFF000000); };
  const HWND hwnd = Open(dlg);
  p->SetCursorEx("pointer");  // not one of ours: nothing set
  host->MouseMove(hwnd, CPoint(10, 10));
  EXPECT_EQ(host->Window(hwnd)->Cursor(), CursorKind::kArrow);
  p->SetCursorEx(kCursorHand);
  host->MouseMove(hwnd, CPoint(11, 10));
  EXPECT_EQ(host->Window(hwnd)->Cursor(), CursorKind::kHand);
  p->SetCursorEx("bogus");
  host->MouseMove(hwnd, CPoint(12, 10));
  EXPECT_EQ(host->Window(hwnd)->Cursor(), CursorKind::kHand);
}

TEST_F(ControlTest, DoubleClickIsASecondPressUnlessEnabled) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) { p = d.AddProbe(1, CRect(0, 0, 50, 50), 0xFF000000); };
  const HWND hwnd = Open(dlg);
  host->DoubleClick(hwnd, CPoint(10, 10));
  EXPECT_EQ(p->log, (std::vector<std::string>{"down", "up", "down", "up"}));
  p->log.clear();
  dlg.notices.clear();
  p->SetDblClk(1);
  p->SetDblClkNotify(1);
  host->DoubleClick(hwnd, CPoint(10, 10));
  EXPECT_EQ(p->log, (std::vector<std::string>{"down", "up", "up"}));
  EXPECT_EQ(dlg.Codes(1), (std::vector<UINT>{kNotifyPressed, kNotifyClicked, kNotifyDoubleClick,
                                             kNotifyClicked}));
}

TEST_F(ControlTest, TooltipFollowsThePointerOverItsControl) {
  TestDialog dlg;
  Probe* p = nullptr;
  dlg.build = [&](TestDialog& d) {
    p = d.AddProbe(7, CRect(0, 0, 50, 50), 0xFF000000);
    d.AddProbe(8, CRect(100, 0, 150, 50), 0xFF000000);
  };
  const HWND hwnd = Open(dlg);
  p->SetTooltip("Brightness");
  host->MouseMove(hwnd, CPoint(10, 10));
  EXPECT_EQ(dlg.GetTooltipCtrlID(), 7u);
  host->MouseMove(hwnd, CPoint(120, 10));
  EXPECT_EQ(dlg.GetTooltipCtrlID(), 0u);
}

TEST_F(ControlTest, TextEntryOverlayReportsUserChangesOnly) {
  TestDialog dlg;
  Open(dlg);
  EXPECT_EQ(PaintManager().CreateTextEntry(), nullptr);  // no window yet
  auto entry = dlg.GetPaintManager().CreateTextEntry();
  ASSERT_NE(entry, nullptr);
  int changes = 0, focus_lost = 0;
  entry->SetHandlers({[&] { ++changes; }, [&] { ++focus_lost; }, nullptr, nullptr});
  entry->SetRect(CRect(10, 10, 110, 30));
  entry->SetText("Profile 1");  // the program's own text is no change
  entry->Show(true);
  entry->SelectAll();
  entry->Focus();
  auto* fake = static_cast<HeadlessTextEntry*>(entry.get());
  fake->Type("Gaming");
  EXPECT_EQ(entry->GetText(), "Gaming");
  EXPECT_EQ(changes, 1);
  fake->Blur();
  EXPECT_EQ(focus_lost, 1);
  ASSERT_EQ(host->Window(dlg.GetSafeHwnd())->TextEntries().size(), 1u);
  entry.reset();
  EXPECT_TRUE(host->Window(dlg.GetSafeHwnd())->TextEntries().empty());
}
