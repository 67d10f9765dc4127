// MEdit on the headless host: the native entry's life and the notifications
// the program's pages act on.
#include "QorUI/edit.h"

#include "QorUI/buttons.h"

#include "controls_fixture.h"

class EditTest : public ControlsTest {
 protected:
  void OpenEdit(const char* text = "abc") {
    OpenWith(dlg, [&](TestDialog& d) {
      edit = Make<MEdit>(d, "MEdit", 213, CRect(100, 50, 300, 80), text);
      ASSERT_EQ(edit->SetImage("img_editbox.png", 4), 1);
      Make<MButton>(d, "MButton", 5, CRect(400, 50, 500, 80), "other");
    });
  }
  HeadlessTextEntry* Entry() {
    auto& entries = host->Window(hwnd)->TextEntries();
    return entries.empty() ? nullptr : entries.front();
  }

  TestDialog dlg;
  MEdit* edit = nullptr;
};

TEST_F(EditTest, PressOpensTheEntryTypingReportsAndLeavingCommits) {
  OpenEdit("abc");
  EXPECT_EQ(Entry(), nullptr) << "made on first use";
  host->Click(hwnd, CPoint(150, 65));
  HeadlessTextEntry* entry = Entry();
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->IsVisible());
  EXPECT_TRUE(entry->HasFocus());
  EXPECT_TRUE(entry->AllSelected());
  EXPECT_EQ(entry->GetText(), "abc");
  EXPECT_EQ(entry->Rect(), edit->GetTextArea());
  EXPECT_EQ(entry->Rect(), CRect(106, 50, 294, 80));
  EXPECT_EQ(TakeCodes(dlg, 213), (std::vector<UINT>{kNotifyEditBegan, kNotifyPressed}));

  entry->Type("x");
  entry->Type("yz");
  EXPECT_EQ(edit->GetEditText(), "xyz") << "typing replaced the selection";
  EXPECT_EQ(TakeCodes(dlg, 213), (std::vector<UINT>{kNotifyEditChanged, kNotifyEditChanged}));

  entry->Blur();
  EXPECT_FALSE(entry->IsVisible());
  EXPECT_EQ(TakeCodes(dlg, 213), std::vector<UINT>{kNotifyEditEnded});
  entry->Blur();
  EXPECT_TRUE(TakeCodes(dlg, 213).empty()) << "a closed entry reports nothing";
}

TEST_F(EditTest, EveryWayOfLeavingEndsTheEditOnce) {
  struct Case {
    const char* name;
    std::function<void(HeadlessTextEntry&)> leave;
    std::string text_after;
  };
  const Case cases[] = {
      {"Return", [](HeadlessTextEntry& e) { e.PressReturn(); }, "abc1"},
      {"Escape", [](HeadlessTextEntry& e) { e.PressEscape(); }, "abc"},
      {"press elsewhere",
       [this](HeadlessTextEntry&) {
         host->Click(hwnd, {450, 60});
       },
       "abc1"},
      {"hidden", [this](HeadlessTextEntry&) { edit->SetVisible(0); }, "abc1"},
      {"disabled", [this](HeadlessTextEntry&) { edit->SetEnabled(0); }, "abc1"},
  };
  for (const Case& c : cases) {
    dlg.DestroyWindow();
    dlg.notices.clear();
    OpenEdit("abc");
    host->Click(hwnd, CPoint(150, 65));
    HeadlessTextEntry* entry = Entry();
    ASSERT_NE(entry, nullptr);
    entry->SelectAll();
    entry->Type("abc1");
    TakeCodes(dlg, 213);
    c.leave(*entry);
    EXPECT_FALSE(entry->IsVisible()) << c.name;
    EXPECT_EQ(edit->GetEditText(), c.text_after) << c.name;
    EXPECT_EQ(dlg.Codes(213), std::vector<UINT>{kNotifyEditEnded}) << c.name;
  }
}

TEST_F(EditTest, DigitsOnlyAndLimitHoldForTypingAndSetText) {
  OpenEdit("");
  edit->SetNumberOnly(1);
  edit->SetLimitText(4);
  host->Click(hwnd, CPoint(150, 65));
  HeadlessTextEntry* entry = Entry();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->MaxLength(), 4);
  entry->Type("1a2b");
  EXPECT_EQ(entry->GetText(), "12");
  EXPECT_EQ(edit->GetEditText(), "12");
  entry->Type("3456");
  EXPECT_EQ(edit->GetEditText(), "1234");
  edit->SetEditText("98x76543");
  EXPECT_EQ(edit->GetEditText(), "9876");
  EXPECT_EQ(entry->GetText(), "9876");
}

TEST_F(EditTest, SpaceOnTheFocusedFieldPressesAndClicks) {
  OpenEdit();
  dlg.SetFocusControl(edit);
  host->KeyDown(hwnd, VK_SPACE);
  std::vector<UINT> codes = dlg.Codes(213);
  std::erase(codes, kNotifyKeyDown);
  EXPECT_EQ(codes, (std::vector<UINT>{kNotifyPressed, kNotifyClicked}));
}

TEST_F(EditTest, PasswordAndHintAreDrawnInsteadOfTheText) {
  OpenEdit("");
  edit->SetTipInfo("MMMM");
  host->Pump();
  const CRect area = edit->GetTextArea();
  auto ink = [&] {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (ArgbGreen(Pixel(CPoint(x, y))) > 0x70) ++n;
    return n;
  };
  EXPECT_GT(ink(), 20) << "the hint shows while the text is empty";
  edit->SetTipInfo("");
  host->Pump();
  const int empty = ink();
  edit->SetEditText("secret");
  edit->SetPassWordChar(U'*');
  host->Pump();
  EXPECT_GT(ink(), empty);
  EXPECT_EQ(edit->GetEditText(), "secret");
}
