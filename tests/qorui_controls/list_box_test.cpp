// DListBox and MListBox: rows and selection, the click notifications,
// scrolling, and in-place renaming.
#include "QorUI/list_box.h"

#include <string>

#include "QorUI/panel.h"
#include "QorUI/scroll_bar.h"
#include "controls_fixture.h"

class ListBoxTest : public ControlsTest {
 protected:
  // A page holding the list at (10, 10)-(210, 138): four rows of 32 pixels.
  template <typename T = DListBox>
  T* OpenList(const char* class_name, int rows) {
    T* list = nullptr;
    OpenWith(dlg, [&](TestDialog& d) {
      auto* page = static_cast<MPanel*>(
          d.AddControl(std::make_unique<MPanel>(&d, 50, CRect(0, 0, 600, 400))));
      list = dynamic_cast<T*>(page->CreateControl(class_name, 66, CRect(10, 10, 210, 138)));
      ASSERT_NE(list, nullptr);
      for (int i = 0; i < rows; ++i)
        list->AddString(("profile " + std::to_string(i)).c_str(), 100 + i, 0);
    });
    return list;
  }
  HeadlessTextEntry* Entry() {
    auto& entries = host->Window(hwnd)->TextEntries();
    return entries.empty() ? nullptr : entries.front();
  }
  static CPoint RowPoint(int visible_row) { return CPoint(60, 10 + 32 * visible_row + 16); }

  TestDialog dlg;
};

TEST_F(ListBoxTest, ClicksSelectAndReportTheRow) {
  DListBox* list = OpenList("DListBox", 3);
  EXPECT_EQ(dlg.CreateControl("DListBox", 67, CRect()), nullptr) << "pages only";
  host->Click(hwnd, RowPoint(1));
  host->RightClick(hwnd, RowPoint(2));
  host->Click(hwnd, RowPoint(3));  // below the last row
  const std::vector<Notice> expected{
      {66, kNotifyPressed, 1, 0}, {66, kNotifyClicked, 1, 0}, {66, kNotifyRightClick, 2, 0}};
  EXPECT_EQ(dlg.notices, expected);
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_EQ(list->GetCurData(), 102);
  EXPECT_EQ(list->SetCurData(100), 1);
  EXPECT_EQ(list->GetCurSel(), 0);
  EXPECT_EQ(list->SetCurSel(3), 0);
  EXPECT_EQ(list->GetItemRect(1), CRect(10, 42, 210, 74));
}

TEST_F(ListBoxTest, MListBoxReportsDoubleClicksInsteadOfClicks) {
  MListBox* list = OpenList<MListBox>("MListBox", 3);
  host->DoubleClick(hwnd, RowPoint(1));
  std::vector<UINT> codes = dlg.Codes(66);
  EXPECT_EQ(codes, (std::vector<UINT>{kNotifyPressed, kNotifyDoubleClick}));
  EXPECT_EQ(dlg.notices.back(), (Notice{66, kNotifyDoubleClick, 1, 0}));
  EXPECT_EQ(list->GetCurSel(), 1);
}

TEST_F(ListBoxTest, RowsTallerThanTheListScrollByTheWheel) {
  DListBox* list = OpenList("DListBox", 3);
  EXPECT_FALSE(list->GetScrollVertical()->IsVisible());
  host->Wheel(hwnd, RowPoint(0), -WHEEL_DELTA);
  EXPECT_EQ(list->GetTopOffset(), 0);
  for (int i = 3; i < 6; ++i) list->AddString("more", 200 + i, 0);
  EXPECT_TRUE(list->GetScrollVertical()->IsVisible());
  EXPECT_EQ(list->GetScrollVertical()->GetRect(), CRect(203, 10, 210, 138));
  host->Wheel(hwnd, RowPoint(0), -WHEEL_DELTA * 5);
  EXPECT_EQ(list->GetTopOffset(), 6 * 32 - 128) << "stops at the end";
  host->Click(hwnd, RowPoint(0));
  EXPECT_EQ(list->GetCurSel(), 2) << "the point is taken in the scrolled rows";
  list->DeleteAllItems();
  EXPECT_FALSE(list->GetScrollVertical()->IsVisible());
  EXPECT_EQ(list->GetTopOffset(), 0);
}

TEST_F(ListBoxTest, RenameNeedsEnablingAndCommitsOnlyAChange) {
  DListBox* list = OpenList("DListBox", 3);
  ASSERT_EQ(list->SetEditImage("img_edit.png", 4), 1);
  list->SetCurSel(1);
  list->ShowEdit();
  EXPECT_EQ(Entry(), nullptr) << "nothing before EnableShowEdit(1)";
  list->EnableShowEdit(1);

  struct Case {
    const char* name;
    std::string typed;
    std::function<void(HeadlessTextEntry&)> leave;
    std::vector<Notice> notices;
    std::string text_after;
  };
  const Case cases[] = {
      {"Return", "work", [](HeadlessTextEntry& e) { e.PressReturn(); }, {{66, 29, 0, 1}}, "work"},
      {"focus loss", "home", [](HeadlessTextEntry& e) { e.Blur(); }, {{66, 29, 0, 1}}, "home"},
      {"Escape", "game", [](HeadlessTextEntry& e) { e.PressEscape(); }, {}, "home"},
      {"unchanged", "home", [](HeadlessTextEntry& e) { e.PressReturn(); }, {}, "home"},
      {"a press on another row",
       "office",
       [this](HeadlessTextEntry&) { host->LButtonDown(hwnd, RowPoint(2)); },
       {{66, 29, 0, 1}, {66, kNotifyPressed, 2, 0}},
       "office"},
  };
  for (const Case& c : cases) {
    list->SetCurSel(1);
    list->ShowEdit();
    HeadlessTextEntry* entry = Entry();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->IsVisible() && entry->AllSelected()) << c.name;
    EXPECT_EQ(entry->GetText(), list->GetItemText(1)) << c.name;
    EXPECT_EQ(list->GetEditRow(), 1);
    dlg.notices.clear();
    entry->Type(c.typed);
    c.leave(*entry);
    host->LButtonUp(hwnd, RowPoint(2));
    std::erase_if(dlg.notices, [](const Notice& n) { return n.code == kNotifyClicked; });
    EXPECT_EQ(dlg.notices, c.notices) << c.name;
    EXPECT_EQ(list->GetItemText(1), c.text_after) << c.name;
    EXPECT_FALSE(list->IsEditing()) << c.name;
  }
}

TEST_F(ListBoxTest, SelectedRowIsFilledAndShowsTheSecondIconFrame) {
  DListBox* list = OpenList("DListBox", 3);
  ASSERT_EQ(list->SetImage("icon//icon_circle.png", 2), 1);
  host->Pump();
  const CPoint fill(200, 10 + 32 + 2);
  const ARGB before = Pixel(fill);
  const CPoint icon(10 + 10 + 8, 10 + 32 + 16);
  const ARGB icon_before = Pixel(icon);
  list->SetCurSel(1);
  host->Pump();
  EXPECT_TRUE(NearColor(Pixel(fill), 0xFF285055));
  EXPECT_NE(Pixel(fill), before);
  EXPECT_NE(Pixel(icon), icon_before);
}
