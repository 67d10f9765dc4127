// CRecordList: rows, scrolling to the newest row, selection, and the
// in-place delay editor.
#include "QorUI/record_list.h"

#include <string>

#include "QorUI/panel.h"
#include "QorUI/scroll_bar.h"
#include "controls_fixture.h"

class RecordListTest : public ControlsTest {
 protected:
  // The list at (750, 180)-(1180, 385) inside a page: five rows of 41 pixels.
  void OpenList() {
    OpenWith(
        dlg,
        [&](TestDialog& d) {
          auto* page = static_cast<MPanel*>(
              d.AddControl(std::make_unique<MPanel>(&d, 53, CRect(0, 0, 1280, 720))));
          list = dynamic_cast<CRecordList*>(
              page->CreateControl("CRecordList", 238, CRect(750, 180, 1180, 385)));
          ASSERT_NE(list, nullptr);
        },
        CSize(1280, 720));
  }
  void AddRows(int n) {
    for (int i = 0; i < n; ++i) list->AddString("A", i % 2 ? 3 : 2, 65, 100 + i);
  }
  // A point in row `visible_row` (counted from the top of the view) and column x.
  static CPoint At(int visible_row, int x) { return CPoint(750 + x, 180 + 41 * visible_row + 20); }
  HeadlessTextEntry* Entry() {
    auto& entries = host->Window(hwnd)->TextEntries();
    return entries.empty() ? nullptr : entries.front();
  }
  std::vector<Notice> Take() {
    auto n = dlg.notices;
    dlg.notices.clear();
    return n;
  }

  TestDialog dlg;
  CRecordList* list = nullptr;
};

TEST_F(RecordListTest, EmptyListHasNoLastDelay) {
  OpenList();
  EXPECT_FALSE(list->UpdateDelayTime(50));
  AddRows(2);
  EXPECT_TRUE(list->UpdateDelayTime(50));
  EXPECT_EQ(list->GetRecordItems()[1]->delay, 50);
  EXPECT_EQ(list->GetRecordItems()[0]->delay, 100);
}

TEST_F(RecordListTest, RowsBeyondTheViewShowTheBarAndTheNewestRow) {
  OpenList();
  AddRows(5);
  EXPECT_FALSE(list->GetScrollVertical()->IsVisible()) << "five rows fit";
  EXPECT_EQ(list->GetScrollShift(), 0);
  AddRows(3);
  CScrollVertical* bar = list->GetScrollVertical();
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetRect(), CRect(1173, 180, 1180, 385));
  EXPECT_EQ(bar->GetRange(), 8 * 41);
  EXPECT_EQ(list->GetScrollShift(), 8 * 41 - 205) << "scrolled to the end";
  host->Click(hwnd, At(4, 50));
  EXPECT_EQ(list->GetCurSel(), 7) << "the newest row is in view at the bottom";

  host->Wheel(hwnd, At(2, 50), WHEEL_DELTA);
  EXPECT_EQ(bar->GetPos(), 8 * 41 - CRecordList::kWheelSteps);
  host->Wheel(hwnd, At(2, 50), WHEEL_DELTA * 40);
  EXPECT_EQ(list->GetScrollShift(), 0);
  host->Click(hwnd, At(0, 50));
  EXPECT_EQ(list->GetCurSel(), 0);

  EXPECT_EQ(list->DeleteItem(8), 0);
  EXPECT_EQ(list->DeleteItem(0), 1);
  EXPECT_EQ(list->GetCurSel(), -1);
  list->DeleteAllItems();
  EXPECT_FALSE(bar->IsVisible());
}

TEST_F(RecordListTest, SelectionAndItsNotifications) {
  OpenList();
  AddRows(3);
  host->Click(hwnd, At(1, 50));
  host->RightClick(hwnd, At(2, 50));
  host->Click(hwnd, At(4, 50));  // below the rows
  host->RightClick(hwnd, At(4, 50));
  const std::vector<Notice> expected{{238, kNotifyPressed, 1, 0},
                                     {238, kNotifyRightClick, 2, 0},
                                     {238, kNotifyPressed, static_cast<WPARAM>(-1), 0}};
  EXPECT_EQ(Take(), expected);
  struct Case {
    int index, result, selection;
  };
  for (const Case& c :
       {Case{1, 1, 1}, Case{1, 1, 1}, Case{3, 0, 1}, Case{-2, 0, 1}, Case{-1, 1, -1}}) {
    EXPECT_EQ(list->SetCurSel(c.index), c.result) << c.index;
    EXPECT_EQ(list->GetCurSel(), c.selection) << c.index;
  }
  list->SwapItem(0, 2);
  EXPECT_EQ(list->GetRecordItems()[0]->delay, 102);
  list->SwapItem(0, 5);
  EXPECT_EQ(list->GetRecordItems()[0]->delay, 102);
}

TEST_F(RecordListTest, DelayEditorStoresWhatWasTyped) {
  OpenList();
  AddRows(3);
  struct Case {
    const char* typed;
    int delay;  // stored afterwards
    bool reported;
  };
  const Case cases[] = {
      {"250", 250, true}, {"", 10, true}, {"", 10, false}, {"12ab", 12, true}, {"xyz", 0, true},
  };
  for (const Case& c : cases) {
    host->Click(hwnd, At(1, 350));  // the delay column of row 1
    HeadlessTextEntry* entry = Entry();
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->IsVisible());
    EXPECT_TRUE(entry->AllSelected());
    EXPECT_EQ(entry->Rect(), CRect(1050, 221, 1170, 262));
    EXPECT_EQ(entry->GetText(), std::to_string(list->GetRecordItems()[1]->delay));
    Take();
    entry->SetText("");
    entry->Type(c.typed);
    host->Click(hwnd, At(0, 50));  // another row closes the editor
    EXPECT_FALSE(entry->IsVisible()) << c.typed;
    EXPECT_EQ(list->GetRecordItems()[1]->delay, c.delay) << c.typed;
    const Notice edited{238, kNotifyEditEnded, 0, 1};
    EXPECT_EQ(std::count(dlg.notices.begin(), dlg.notices.end(), edited), c.reported ? 1 : 0)
        << c.typed;
  }
}

TEST_F(RecordListTest, EditorStaysOpenOnItsOwnRowAndClosesOnTheWheel) {
  OpenList();
  AddRows(8);
  host->Click(hwnd, At(1, 350));
  HeadlessTextEntry* entry = Entry();
  ASSERT_NE(entry, nullptr);
  entry->Type("5");
  host->Click(hwnd, At(1, 50));
  EXPECT_TRUE(entry->IsVisible()) << "the edited row is still selected";
  host->Click(hwnd, CPoint(100, 600));  // outside the list: the list loses the focus
  EXPECT_FALSE(entry->IsVisible());
  EXPECT_EQ(list->GetRecordItems()[list->GetCurSel()]->delay, 5);
  host->Click(hwnd, At(1, 350));
  entry->Type("6");
  host->Wheel(hwnd, At(1, 50), WHEEL_DELTA);
  EXPECT_FALSE(entry->IsVisible());
  EXPECT_EQ(list->GetRecordItems()[list->GetCurSel()]->delay, 6);
  list->EnableEdit(0);
  host->Click(hwnd, At(2, 350));
  EXPECT_FALSE(entry->IsVisible()) << "editing switched off";
}
