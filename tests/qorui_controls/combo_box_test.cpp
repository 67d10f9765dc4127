// MComboBox: selection rules, the drop-down's geometry against the work
// area, picking from it, and closing it.
#include "QorUI/combo_box.h"

#include <string>

#include "controls_fixture.h"

class ComboTest : public ControlsTest {
 protected:
  // The dialog sits at (100, 100); the combo at (100, 150) inside it.
  void OpenCombo(int items, CRect rect = CRect(100, 150, 300, 188)) {
    OpenWith(dlg, [&](TestDialog& d) {
      combo = Make<MComboBox>(d, "MComboBox", 246, rect);
      ASSERT_EQ(combo->SetImage("img_combobox.png", 4), 1);
      for (int i = 0; i < items; ++i)
        combo->AddItem(("item " + std::to_string(i)).c_str(), 1000 + i);
    });
  }
  HWND PopupHwnd() const { return combo->GetDropDown() ? combo->GetDropDown()->GetSafeHwnd() : 0; }

  TestDialog dlg;
  MComboBox* combo = nullptr;
};

TEST_F(ComboTest, SelectionByIndexAndByData) {
  OpenCombo(3);
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_EQ(combo->GetCurData(), 0);
  EXPECT_EQ(combo->SelectData(1001), 1);
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(combo->SelectData(42), 0);
  EXPECT_EQ(combo->GetCurSel(), 1) << "unknown data keeps the selection";
  EXPECT_EQ(combo->SetCurSel(3), 0);
  EXPECT_EQ(combo->SetCurSel(-1), 1);
  EXPECT_EQ(combo->GetCurSel(), -1);
  combo->SetCurSel(2);
  combo->InsertItem(0, "first", 7);
  EXPECT_EQ(combo->GetCurSel(), 3) << "the selection follows its item";
  EXPECT_EQ(combo->DeleteItem(3), 1);
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_EQ(combo->FindData(1001), 2);
}

TEST_F(ComboTest, DropDownIsFiveRowsAtMostAndOpensAboveAtTheWorkAreaEnd) {
  struct Case {
    int items;
    CRect work_area;
    CRect expected;  // screen coordinates; the combo is at (200, 250)-(400, 288)
  };
  const Case cases[] = {
      {3, CRect(0, 0, 1920, 1040), CRect(204, 290, 394, 290 + 3 * 30 + 12)},
      {8, CRect(0, 0, 1920, 1040), CRect(204, 290, 394, 290 + 162)},
      {8, CRect(0, 0, 1920, 400), CRect(204, 248 - 162, 394, 248)},
      {1, CRect(0, 0, 1920, 332), CRect(204, 290, 394, 332)},
  };
  for (const Case& c : cases) {
    dlg.DestroyWindow();
    host->SetWorkArea(c.work_area);
    OpenCombo(c.items);
    EXPECT_EQ(combo->GetDropDownRect(), c.expected) << c.items << " items";
    host->Click(hwnd, CPoint(150, 170));
    ASSERT_TRUE(combo->IsDropDownOpen());
    HeadlessWindow* popup = host->Window(PopupHwnd());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetWindowRect(), c.expected);
    EXPECT_EQ(popup->Params().kind, WindowKind::kPopup);
    EXPECT_EQ(combo->GetDropDown()->GetList()->GetRect().Height(), 30 * std::min(c.items, 5));
  }
}

TEST_F(ComboTest, PickingAnItemSelectsReportsAndCloses) {
  OpenCombo(8);
  host->Click(hwnd, CPoint(150, 170));
  const HWND popup = PopupHwnd();
  ASSERT_NE(popup, 0u);
  CComboBoxList* list = combo->GetDropDown()->GetList();
  host->Wheel(popup, CPoint(50, 20), -WHEEL_DELTA * 2);
  EXPECT_EQ(list->GetTopIndex(), 2);
  host->Wheel(popup, CPoint(50, 20), -WHEEL_DELTA * 5);
  EXPECT_EQ(list->GetTopIndex(), 3) << "stops at the last row";
  host->Click(popup, CPoint(50, 6 + 30 + 10));  // second visible row: item 4
  EXPECT_EQ(combo->GetCurSel(), 4);
  EXPECT_EQ(dlg.notices, (std::vector<Notice>{{246, kNotifyClicked, 4, 0}}));
  EXPECT_EQ(host->Window(popup), nullptr) << "the popup closed";
  EXPECT_FALSE(combo->IsDropDownOpen());
}

TEST_F(ComboTest, LosingTheActivationClosesWithoutAChoice) {
  OpenCombo(3);
  combo->SetCurSel(0);
  host->Click(hwnd, CPoint(150, 170));
  const HWND popup = PopupHwnd();
  ASSERT_NE(host->Window(popup), nullptr);
  EXPECT_EQ(host->Active(), host->Window(popup));
  host->ActivateWindow(hwnd);
  EXPECT_EQ(host->Window(popup), nullptr);
  EXPECT_FALSE(combo->IsDropDownOpen());
  EXPECT_EQ(combo->GetCurSel(), 0);
  EXPECT_TRUE(dlg.notices.empty());
  host->Click(hwnd, CPoint(150, 170));
  EXPECT_TRUE(combo->IsDropDownOpen()) << "opens again";
}

TEST_F(ComboTest, FaceShowsTheSelectedTextAndThePressedFrameWhileOpen) {
  OpenCombo(3);
  const CRect text(106, 156, 270, 182);
  auto bright = [&] {
    int n = 0;
    for (int y = text.top; y < text.bottom; ++y)
      for (int x = text.left; x < text.right; ++x)
        if (ArgbGreen(Pixel(CPoint(x, y))) > 0xC0) ++n;
    return n;
  };
  const int plain = bright();
  combo->SetCurSel(1);
  host->Pump();
  EXPECT_GT(bright(), plain + 10);
  const CPoint rim(200, 150);
  const ARGB closed = Pixel(rim);
  host->Click(hwnd, CPoint(150, 170));
  EXPECT_NE(Pixel(rim), closed) << "the pressed frame";
}
