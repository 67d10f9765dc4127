// KeyFuncControl: the built-in table, picking, the current-assignment mark,
// tooltips of function items, and the swallowed wheel.
#include "QorUI/key_func_control.h"

#include <set>

#include "QorUI/panel.h"
#include "controls_fixture.h"

class KeyFuncTest : public ControlsTest {
 protected:
  // The picker at (20, 20) inside a page.
  void OpenPicker() {
    OpenWith(
        dlg,
        [&](TestDialog& d) {
          page = static_cast<MPanel*>(
              d.AddControl(std::make_unique<MPanel>(&d, 51, CRect(0, 0, 1000, 400))));
          picker = dynamic_cast<KeyFuncControl*>(
              page->CreateControl("KeyFuncControl", 80, CRect(20, 20, 940, 280)));
          ASSERT_NE(picker, nullptr);
          ASSERT_EQ(picker->SetImage("img_customkey.png", 4), 1);
          picker->InitItemInfo();
        },
        CSize(1000, 400));
  }
  int Find(int item_data) const {
    for (int i = 0; i < picker->GetItemCount(); ++i)
      if (picker->GetItem(i)->item_data == item_data) return i;
    return -1;
  }
  static CPoint Inside(const KeyFuncItem& item) {
    return CPoint(20 + item.rect.left + 3, 20 + item.rect.top + 3);
  }

  TestDialog dlg;
  MPanel* page = nullptr;
  KeyFuncControl* picker = nullptr;
};

TEST_F(KeyFuncTest, BuiltInTableHoldsTheFunctionRowAndTheKeys) {
  OpenPicker();
  EXPECT_EQ(dlg.CreateControl("KeyFuncControl", 81, CRect()), nullptr) << "pages only";
  ASSERT_EQ(picker->GetItemCount(), 18 + 104);
  for (int i = 0; i < 18; ++i) {
    const KeyFuncItem& f = *picker->GetItem(i);
    EXPECT_EQ(f.rect, CRect(50 * i, 0, 50 * i + 43, 28)) << i;
    EXPECT_NE(f.icon, nullptr) << i;
    EXPECT_TRUE(f.name.empty());
  }
  EXPECT_EQ(picker->GetItem(0)->item_data, 249);
  EXPECT_EQ(picker->GetItem(17)->item_data, 247);
  struct Case {
    int item_data;
    const char* label;
    CRect rect;
  };
  const Case keys[] = {
      {41, "Esc", CRect(0, 38, 36, 66)},        {4, "A", CRect(88, 142, 124, 170)},
      {40, "Enter", CRect(517, 142, 595, 170)}, {88, "Enter", CRect(867, 175, 903, 236)},
      {87, "+", CRect(867, 109, 903, 170)},     {224, "Ctrl", CRect(0, 208, 50, 236)},
      {228, "Ctrl", CRect(545, 208, 595, 236)}, {101, "App", CRect(492, 208, 542, 236)},
      {98, "0", CRect(750, 208, 786, 236)},     {99, ".", CRect(789, 208, 864, 236)},
      {49, "\\", CRect(546, 109, 595, 137)},    {71, "Scroll Lock", CRect(655, 38, 691, 66)},
  };
  for (const Case& c : keys) {
    const int i = Find(c.item_data);
    ASSERT_GE(i, 18) << c.item_data;
    EXPECT_EQ(picker->GetItem(i)->name, c.label) << c.item_data;
    EXPECT_EQ(picker->GetItem(i)->rect, c.rect) << c.item_data;
  }
  std::set<int> codes;
  for (int i = 0; i < picker->GetItemCount(); ++i) codes.insert(picker->GetItem(i)->item_data);
  EXPECT_EQ(codes.size(), 122u) << "every item has its own code";
}

TEST_F(KeyFuncTest, PressPicksTheItemUnderThePointer) {
  OpenPicker();
  const KeyFuncItem& a = *picker->GetItem(Find(4));
  host->MouseMove(hwnd, Inside(a));
  host->LButtonDown(hwnd, Inside(a));
  host->LButtonUp(hwnd, Inside(a));
  int first = 77, data = 0, key = -1, key2 = -1;
  std::string name;
  ASSERT_TRUE(picker->GetCurItemData(first, data, key, key2, name));
  EXPECT_EQ(first, 77) << "left as it was";
  EXPECT_EQ(data, 4);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(key2, 0);
  EXPECT_EQ(name, "A");

  const CPoint gap(20 + 45, 20 + 10);  // between the first two function items
  host->MouseMove(hwnd, gap);
  host->LButtonDown(hwnd, gap);
  EXPECT_FALSE(picker->GetCurItemData(first, data, key, key2, name));
  const std::vector<Notice> expected{{80, kNotifyPressed, static_cast<WPARAM>(Find(4)), 0},
                                     {80, kNotifyPressed, static_cast<WPARAM>(-1), 0}};
  EXPECT_EQ(dlg.notices, expected);
}

TEST_F(KeyFuncTest, MarkShowsTheCurrentAssignment) {
  OpenPicker();
  const int enter = Find(40);
  const CPoint on_enter = Inside(*picker->GetItem(enter));
  const ARGB plain = Pixel(on_enter);
  picker->SetItemCheckByItemData(40, 0, 0);
  host->Pump();
  EXPECT_EQ(picker->GetCheckedIndex(), enter);
  EXPECT_NE(Pixel(on_enter), plain) << "the checked frame";
  picker->SetItemCheckByItemData(40, 1, 0);
  EXPECT_EQ(picker->GetCheckedIndex(), -1) << "key and key2 must match too";

  host->Click(hwnd, Inside(*picker->GetItem(Find(4))));
  picker->SetItemCheckByItemData(0, 0, 0);
  int first, data, key, key2;
  std::string name;
  EXPECT_EQ(picker->GetCheckedIndex(), -1);
  EXPECT_FALSE(picker->GetCurItemData(first, data, key, key2, name)) << "the click is cleared too";
  host->Pump();
  EXPECT_EQ(Pixel(on_enter), plain);
}

TEST_F(KeyFuncTest, NamedFunctionItemsShowATooltip) {
  OpenPicker();
  picker->SetItemDesc(249, "My Computer");
  picker->SetItemDesc(4, "Letter A");
  const CPoint pc = Inside(*picker->GetItem(0));
  host->MouseMove(hwnd, pc);
  host->MouseMove(hwnd, pc + CPoint(1, 1));
  EXPECT_EQ(dlg.GetTooltipCtrlID(), 80u);
  EXPECT_EQ(host->Window(hwnd)->Cursor(), CursorKind::kHand);

  const KeyFuncItem& a = *picker->GetItem(Find(4));
  EXPECT_EQ(a.name, "Letter A");
  host->MouseMove(hwnd, Inside(a));
  host->MouseMove(hwnd, Inside(a) + CPoint(1, 1));
  EXPECT_EQ(dlg.GetTooltipCtrlID(), 0u) << "key items have no tooltip";
}

TEST_F(KeyFuncTest, WheelOverThePickerScrollsNothingBehindIt) {
  OpenPicker();
  page->SetVirtualHeight(800);
  page->SetRect(CRect(0, 0, 1000, 400));
  host->MouseMove(hwnd, CPoint(500, 300));
  host->Wheel(hwnd, CPoint(500, 300), -WHEEL_DELTA);
  const int scrolled = page->GetScrollOffset().y;
  ASSERT_GT(scrolled, 0) << "the page itself scrolls";
  const CPoint over(100, 150 - scrolled);  // the picker spans content rows 20..280
  host->MouseMove(hwnd, over);             // the pointer alone makes the picker first in line
  host->Wheel(hwnd, over, -WHEEL_DELTA);
  EXPECT_EQ(page->GetScrollOffset().y, scrolled);
}
