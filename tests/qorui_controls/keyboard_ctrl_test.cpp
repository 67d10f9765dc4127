// KeyboardCtrl: key lookups, clicks in every mode, the lighting preview's
// animation, the rubber band, tips, and what each mode draws.
#include "QorUI/keyboard_ctrl.h"

#include "controls/keyboard_tips.h"
#include "controls_fixture.h"

class KeyboardTest : public ControlsTest {
 protected:
  // The control at (50, 50)-(850, 350) with a 600 x 200 picture centred at
  // the top: picture origin (100, 0), so a key rect (x, y) lies at window
  // (150 + x, 50 + y).
  void OpenKeyboard(bool with_picture = true) {
    OpenWith(
        dlg,
        [&](TestDialog& d) {
          kb = Make<KeyboardCtrl>(d, "KeyboardCtrl", 70, CRect(50, 50, 850, 350));
          if (with_picture) kb->SetKeyboardImage("keyboard/tervane_k201.png");
          kb->SetWidthAndHeight(600, 200);
          kb->AddKeyItem("Esc", "Escape", 41, CRect(10, 10, 60, 60), "");
          kb->AddKeyItem("A", "Key A", 4, CRect(100, 10, 150, 60), "");
          kb->AddKeyItem("B", "Key B", 5, CRect(200, 10, 250, 60), "");
        },
        CSize(900, 400));
  }
  static CPoint OnKey(int index) { return CPoint(150 + 10 + 100 * index + 5, 50 + 10 + 5); }
  std::vector<Notice> Take() {
    auto n = dlg.notices;
    dlg.notices.clear();
    std::erase_if(n, [](const Notice& x) { return x.code == kNotifyKeyDown; });
    return n;
  }

  TestDialog dlg;
  KeyboardCtrl* kb = nullptr;
};

TEST_F(KeyboardTest, PictureIsCentredAtTheTop) {
  OpenKeyboard();
  EXPECT_EQ(kb->GetPictureOrigin(), CPoint(100, 0));
  EXPECT_EQ(kb->GetKeyWindowRect(*kb->GetKeyItems()[1]), CRect(250, 60, 300, 110));
  kb->SetRect(CRect(0, 0, 700, 300));
  EXPECT_EQ(kb->GetPictureOrigin(), CPoint(50, 0));
  EXPECT_EQ(kb->GetScale(), 1.0);
  EXPECT_EQ(dlg.CreateControl("Keyboardctrl", 71, CRect()), nullptr) << "names are exact";
}

TEST_F(KeyboardTest, LookupsActOnTheFirstKeyWithTheValue) {
  OpenKeyboard();
  kb->AddKeyItem("A again", "", 4, CRect(300, 10, 350, 60), "");
  kb->SetKeyColor(4, 0x123456);
  auto keys = kb->GetKeyItems();
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[1]->color, 0x123456u);
  EXPECT_EQ(keys[3]->color, KEY_INFO::kDefaultColor);
  EXPECT_EQ(kb->GetKeyColor(4), 0x123456u);
  EXPECT_EQ(kb->GetKeyColor(99), 0u);
  kb->SetKeyDesc(5, "Bee");
  EXPECT_EQ(keys[2]->name, "Bee");
  EXPECT_EQ(keys[2]->text, "Bee");
  kb->SetKeyCheck(41, 1);
  kb->SetKeyCheck(99, 1);
  EXPECT_EQ(kb->GetCheckItemCount(), 1);
  kb->SetSelectItem(2);
  kb->SetAllSelectColor(0xABCDEF);
  EXPECT_EQ(keys[0]->color, 0xABCDEFu);
  EXPECT_EQ(keys[2]->color, 0xABCDEFu);
  EXPECT_EQ(keys[1]->color, 0x123456u);
  kb->ResetAllItemCheck();
  EXPECT_EQ(kb->GetCheckItemCount(), 0);
  EXPECT_EQ(kb->GetSelectItem(), -1);
  kb->ClearItem();
  EXPECT_EQ(kb->GetKeyCount(), 0);
  EXPECT_EQ(kb->AddKeyItem("Z", "", 29, CRect(0, 0, 10, 10), ""), 0) << "indexes start again";
}

TEST_F(KeyboardTest, ClicksReportTheKeyAndTheCustomColourToggles) {
  OpenKeyboard();
  host->Click(hwnd, CPoint(700, 300));  // inside, on no key
  host->Click(hwnd, OnKey(1));
  host->RightClick(hwnd, OnKey(2));
  host->RightClick(hwnd, CPoint(700, 300));
  const std::vector<Notice> expected{{70, kNotifyClicked, static_cast<WPARAM>(-1), 0},
                                     {70, kNotifyClicked, 1, 4},
                                     {70, kNotifyRightClick, 2, 5},
                                     {70, kNotifyRightClick, static_cast<WPARAM>(-1), 0}};
  EXPECT_EQ(Take(), expected);
  EXPECT_EQ(kb->GetCurrentKeyValue(), 0u);

  kb->SetKeyboardCtrlMode(kModeCustomColor);
  kb->SetCustomColor(0x0000FF);
  kb->SetKeyColor(4, 0);
  host->Click(hwnd, OnKey(1));
  EXPECT_EQ(kb->GetKeyColor(4), 0x0000FFu);
  EXPECT_EQ(kb->GetCurrentKeyValue(), 4u);
  host->Click(hwnd, OnKey(1));
  EXPECT_EQ(kb->GetKeyColor(4), 0u);
  kb->SetKeyboardCtrlMode(kModeKeySelect);
  host->Click(hwnd, OnKey(1));
  EXPECT_EQ(kb->GetKeyColor(4), 0u) << "only mode 103 colours keys";
}

TEST_F(KeyboardTest, LightSpeedGivesTicksPerFrame) {
  OpenKeyboard();
  struct Case {
    int speed, ticks;
  };
  for (const Case& c :
       {Case{0, 5}, Case{1, 4}, Case{2, 3}, Case{3, 2}, Case{4, 1}, Case{7, 1}, Case{-1, 1}}) {
    kb->SetLightSpeed(c.speed);
    EXPECT_EQ(kb->GetTicksPerFrame(), c.ticks) << c.speed;
  }
}

TEST_F(KeyboardTest, PreviewAnimatesOnTheTickOnlyWithDataAndTheRunFlag) {
  OpenKeyboard();
  const BYTE data[7] = {255, 0, 0, 0, 255, 0, 99};
  kb->SetKeyboardCtrlMode(kModeLightPreview);
  kb->SetLightModeData(data, 7);
  EXPECT_EQ(kb->GetFrameCount(), 2) << "the seventh byte is no frame";
  kb->SetLightSpeed(0);
  dlg.SetMTimer(10);
  host->AdvanceTime(100);
  EXPECT_EQ(kb->GetFrameIndex(), 0) << "without the run-timer flag the preview is still";

  kb->SetRunTimer(1);
  const CPoint esc_rim(150 + 10 + 25, 50 + 10);  // top edge of the first key's outline
  const ARGB lit = Pixel(esc_rim);
  host->AdvanceTime(40);
  EXPECT_EQ(kb->GetFrameIndex(), 0);
  host->AdvanceTime(10);
  EXPECT_EQ(kb->GetFrameIndex(), 1) << "five ticks of 10 ms";
  EXPECT_NE(Pixel(esc_rim), lit) << "key 0 is dark in frame 1";
  host->AdvanceTime(50);
  EXPECT_EQ(kb->GetFrameIndex(), 0) << "wraps after the last frame";
  EXPECT_EQ(Pixel(esc_rim), lit);

  kb->SetLightModeData(nullptr, 0);
  host->AdvanceTime(100);
  EXPECT_EQ(kb->GetFrameIndex(), 0);
}

TEST_F(KeyboardTest, EachModeDrawsItsKeys) {
  OpenKeyboard();
  const CPoint inside(150 + 10 + 3, 50 + 10 + 3);  // within the key, away from its label
  const CPoint rim(150 + 10 + 25, 50 + 10);
  EXPECT_TRUE(NearColor(Pixel(inside), KeyboardCtrl::kKeyFill, 0)) << "mode 100";

  kb->SetKeyColor(41, RGB(0xFF, 0x00, 0x80));
  kb->SetKeyboardCtrlMode(kModeCustomColor);
  host->Pump();
  EXPECT_TRUE(NearColor(Pixel(rim), 0xFFFF0080, 40)) << "mode 103: the key colour, opaque";
  const ARGB picture = Pixel(inside);
  EXPECT_NE(picture, KeyboardCtrl::kKeyFill);

  kb->SetKeyboardCtrlMode(kModeKeySelect);
  host->Pump();
  const ARGB plain = Pixel(rim);
  EXPECT_FALSE(NearColor(plain, KeyboardCtrl::kSelectOutline, 40)) << "unmarked keys: no outline";
  kb->SetKeyCheck(41, 1);
  kb->SetKeyboardCtrlMode(kModeKeySelect);
  host->Pump();
  EXPECT_TRUE(NearColor(Pixel(rim), KeyboardCtrl::kSelectOutline, 40));
}

TEST_F(KeyboardTest, WithoutAPictureOnlyTheKeyMapDraws) {
  OpenKeyboard(false);
  const CPoint inside(150 + 10 + 3, 50 + 10 + 3);
  const ARGB background = Pixel(CPoint(700, 300));
  EXPECT_TRUE(NearColor(Pixel(inside), KeyboardCtrl::kKeyFill, 0));
  for (int mode : {kModeKeySelect, kModeLightPreview, kModeCustomColor, kModeMusic}) {
    kb->SetKeyboardCtrlMode(mode);
    host->Pump();
    EXPECT_EQ(Pixel(inside), background) << mode;
    EXPECT_EQ(Pixel(CPoint(150 + 10 + 25, 50 + 10)), background) << mode;
  }
}

TEST_F(KeyboardTest, NewDescriptionIsDrawnOnTheKeyMap) {
  OpenKeyboard();
  const CRect key(160, 60, 210, 110);
  // The fill has no red and the shadow little: red marks the white label.
  auto white = [&] {
    int n = 0;
    for (int y = key.top; y < key.bottom; ++y)
      for (int x = key.left; x < key.right; ++x)
        if (ArgbRed(Pixel(CPoint(x, y))) > 0x80) ++n;
    return n;
  };
  const int esc = white();
  EXPECT_GT(esc, 5);
  kb->SetKeyDesc(41, "WWWW");
  kb->SetKeyboardCtrlMode(kModeKeyMap);
  host->Pump();
  EXPECT_GT(white(), esc);
}

TEST_F(KeyboardTest, BandChecksTheKeysItMeets) {
  OpenKeyboard();
  kb->EnableFrameSelect(1);
  kb->SetKeyboardCtrlMode(kModeKeySelect);
  const CPoint start(150 + 5, 50 + 5);
  host->MouseMove(hwnd, start);
  host->LButtonDown(hwnd, start);
  host->MouseMove(hwnd, start + CPoint(15, 15), MK_LBUTTON);
  EXPECT_FALSE(kb->IsBandShown()) << "20 pixels or less is no band yet";
  host->MouseMove(hwnd, start + CPoint(130, 30), MK_LBUTTON);
  ASSERT_TRUE(kb->IsBandShown());
  auto keys = kb->GetKeyItems();
  EXPECT_EQ(keys[0]->check, 1);
  EXPECT_EQ(keys[1]->check, 1);
  EXPECT_EQ(keys[2]->check, 0);
  EXPECT_TRUE(NearColor(Pixel(start + CPoint(0, 0)), KeyboardCtrl::kBandColor, 0));
  host->MouseMove(hwnd, start + CPoint(3, 130), MK_LBUTTON);
  EXPECT_EQ(kb->GetCheckItemCount(), 0) << "a band narrower than 6 pixels checks nothing";
  host->LButtonUp(hwnd, start + CPoint(3, 130));
  EXPECT_FALSE(kb->IsBandShown());

  host->MouseMove(hwnd, start);
  host->Send(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, LParamFromPoint(start));
  host->MouseMove(hwnd, start + CPoint(130, 30), MK_RBUTTON);
  EXPECT_EQ(kb->GetCheckItemCount(), 2);
  Take();
  host->Send(hwnd, WM_RBUTTONUP, 0, LParamFromPoint(start + CPoint(130, 30)));
  EXPECT_EQ(Take(), (std::vector<Notice>{{70, kNotifySecondaryRightClick, 0, 0}}));
  EXPECT_EQ(kb->GetCheckItemCount(), 2) << "the checks stay for the owner to read";
}

TEST_F(KeyboardTest, TipShowsOverTheHoveredKey) {
  OpenKeyboard();
  kb->SetTitle("Keyboard");
  host->MouseMove(hwnd, OnKey(1));
  host->MouseMove(hwnd, OnKey(1) + CPoint(1, 0));
  EXPECT_EQ(kb->GetTipsWindow(), nullptr) << "tips are off by default";
  kb->EnableKBTips(true);
  kb->SetTipKey(4, "Assigned", "Volume up");
  host->MouseMove(hwnd, OnKey(1) + CPoint(2, 0));
  CKeyboardTips* tips = kb->GetTipsWindow();
  ASSERT_NE(tips, nullptr);
  HeadlessWindow* w = host->Window(tips->GetSafeHwnd());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->IsVisible());
  EXPECT_EQ(w->Title(), "KeyboardTip Window");
  EXPECT_EQ(w->Params().kind, WindowKind::kTooltip);
  EXPECT_NE(host->Active(), w) << "shown without activation";
  // The key's top-centre is (275, 60) in the window at (100, 100).
  EXPECT_EQ(w->GetWindowRect(), CRect(375 - 95, 160 - 100, 375 + 95, 160));
  EXPECT_EQ(tips->GetKeyText(), "Key A");
  EXPECT_EQ(tips->GetTipTitle(), "Assigned");
  EXPECT_EQ(tips->GetTipText(), "Volume up");

  host->MouseMove(hwnd, OnKey(2));
  host->MouseMove(hwnd, OnKey(2) + CPoint(1, 0));
  EXPECT_EQ(tips->GetKeyText(), "Key B");
  EXPECT_EQ(tips->GetTipTitle(), "Keyboard") << "no tip strings: the control's title";
  EXPECT_EQ(tips->GetTipText(), "Key B");
  host->MouseMove(hwnd, CPoint(700, 300));
  EXPECT_FALSE(w->IsVisible());
}
