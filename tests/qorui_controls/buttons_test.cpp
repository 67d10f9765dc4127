// Buttons: the click rule, cached state frames, check and radio states and
// groups, the switch, and the update badge.
#include "QorUI/buttons.h"

#include <algorithm>

#include "QorUI/device_controls.h"
#include "QorUI/panel.h"
#include "controls_fixture.h"

using ButtonsTest = ControlsTest;

TEST_F(ButtonsTest, PressThenReleaseDecidesTheClick) {
  struct Case {
    const char* name;
    bool enabled;
    CPoint release;
    std::vector<UINT> codes;
    int state_after;
  };
  const Case cases[] = {
      {"inside", true, CPoint(50, 20), {kNotifyPressed, kNotifyClicked}, MButton::kHover},
      {"outside", true, CPoint(300, 300), {kNotifyPressed}, MButton::kNormal},
      {"disabled", false, CPoint(50, 20), {}, MButton::kDisabled},
  };
  for (const Case& c : cases) {
    TestDialog dlg;
    MButton* b = nullptr;
    OpenWith(dlg, [&](TestDialog& d) {
      b = Make<MButton>(d, "MButton", 7, CRect(10, 10, 110, 40), "OK");
      b->SetEnabled(c.enabled);
    });
    host->MouseMove(hwnd, CPoint(50, 20));
    host->LButtonDown(hwnd, CPoint(50, 20));
    host->MouseMove(hwnd, c.release, MK_LBUTTON);
    host->LButtonUp(hwnd, c.release);
    EXPECT_EQ(dlg.Codes(7), c.codes) << c.name;
    EXPECT_EQ(b->GetState(), c.state_after) << c.name;
  }
}

TEST_F(ButtonsTest, HoverAndPressAreCopiesOfCachedFrames) {
  TestDialog dlg;
  MButton* b = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    b = Make<MButton>(d, "MButton", 7, CRect(10, 10, 110, 40), "");
    ASSERT_EQ(b->SetImage("btn_apply.png", 4), 1);
  });
  const CPoint face(60, 25);
  const ARGB normal = Pixel(face);
  host->MouseMove(hwnd, face);
  EXPECT_EQ(b->GetUpdate(), 1) << "hover must not re-render the frames";
  const ARGB hover = Pixel(face);
  host->LButtonDown(hwnd, face);
  const ARGB pressed = Pixel(face);
  EXPECT_NE(normal, hover);
  EXPECT_NE(hover, pressed);
  EXPECT_EQ(b->GetUpdate(), 1);
  b->SetEnabled(0);
  host->Pump();
  EXPECT_NE(Pixel(face), normal);
}

TEST_F(ButtonsTest, DisabledTitleIsGrey) {
  TestDialog dlg;
  MButton* b = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    b = Make<MButton>(d, "MButton", 7, CRect(10, 10, 210, 60), "MMMMMMMM");
    b->SetFont(nullptr, 30, FontStyleBold);
  });
  auto brightest = [&] {
    ARGB best = 0;
    for (int y = 10; y < 60; ++y)
      for (int x = 10; x < 210; ++x) {
        const ARGB p = Pixel(CPoint(x, y));
        if (ArgbGreen(p) > ArgbGreen(best)) best = p;
      }
    return best;
  };
  EXPECT_TRUE(NearColor(brightest(), 0xFFFFFFFF, 8));
  b->SetEnabled(0);
  host->Pump();
  EXPECT_TRUE(NearColor(brightest(), MButton::kDisabledText, 8));
}

TEST_F(ButtonsTest, CheckButtonStatesFollowPointerAndClicks) {
  TestDialog dlg;
  CCheckButton* c = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    c = Make<CCheckButton>(d, "CCheckButton", 9, CRect(10, 10, 200, 40), "Autostart");
  });
  EXPECT_EQ(c->GetImagePath(), "btn_checkbox.png") << "the library's default image";
  host->MouseMove(hwnd, CPoint(20, 20));
  EXPECT_EQ(c->GetState(), 1);
  host->LButtonDown(hwnd, CPoint(20, 20));
  EXPECT_EQ(c->GetState(), 2);
  host->MouseMove(hwnd, CPoint(300, 300), MK_LBUTTON);
  EXPECT_EQ(c->GetState(), 2) << "a held button keeps the pressed look";
  host->MouseMove(hwnd, CPoint(20, 20), MK_LBUTTON);
  host->LButtonUp(hwnd, CPoint(20, 20));
  EXPECT_EQ(c->GetCheck(), 1);
  EXPECT_EQ(c->GetState(), 5);
  EXPECT_EQ(dlg.Codes(9), std::vector<UINT>{kNotifyClicked});
  host->MouseMove(hwnd, CPoint(300, 300));
  EXPECT_EQ(c->GetState(), 4);

  c->SetEnabled(0);
  EXPECT_EQ(c->GetState(), 7);
  c->SetCheck(0);
  EXPECT_EQ(c->GetCheck(), 1) << "a disabled check button ignores SetCheck";
  c->SetEnabled(1);
  c->SetCheck(0);
  EXPECT_EQ(c->GetCheck(), 0);
  EXPECT_EQ(c->GetState(), 0);
}

TEST_F(ButtonsTest, SpaceTogglesTheFocusedCheckButton) {
  TestDialog dlg;
  CCheckButton* c = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    c = Make<CCheckButton>(d, "CCheckButton", 9, CRect(10, 10, 200, 40), "Autostart");
  });
  host->KeyDown(hwnd, VK_SPACE);
  EXPECT_EQ(c->GetCheck(), 0) << "without the focus";
  dlg.SetFocusControl(c);
  host->KeyDown(hwnd, VK_SPACE);
  EXPECT_EQ(c->GetCheck(), 1);
  host->SetModifiers(MK_SHIFT);
  host->KeyDown(hwnd, VK_SPACE);
  host->SetModifiers(0);
  EXPECT_EQ(c->GetCheck(), 1) << "Shift+Space is not the toggle";
  const Notice toggled{9, kNotifyCheckChanged, 0, 1};
  EXPECT_EQ(std::count(dlg.notices.begin(), dlg.notices.end(), toggled), 1);
}

TEST_F(ButtonsTest, RadioGroupsAreKeptPerOwnerAndName) {
  TestDialog dlg;
  CRadioButton *a1 = nullptr, *a2 = nullptr, *b1 = nullptr, *inner = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    a1 = Make<CRadioButton>(d, "CRadioButton", 31, CRect(10, 10, 100, 40), "a1");
    a2 = Make<CRadioButton>(d, "CRadioButton", 32, CRect(10, 50, 100, 80), "a2");
    b1 = Make<CRadioButton>(d, "CRadioButton", 33, CRect(10, 90, 100, 120), "b1");
    auto* panel = static_cast<MPanel*>(
        d.AddControl(std::make_unique<MPanel>(&d, 40, CRect(200, 0, 400, 200))));
    inner = dynamic_cast<CRadioButton*>(
        panel->CreateControl("CRadioButton", 41, CRect(210, 10, 300, 40), "inner"));
    ASSERT_NE(inner, nullptr);
    for (CRadioButton* r : {a1, a2, inner}) r->SetGroupName("exit_mode");
    b1->SetGroupName("other");
  });
  a1->SetCheck(1);
  b1->SetCheck(1);
  inner->SetCheck(1);
  host->Click(hwnd, CPoint(20, 60));  // a2
  EXPECT_EQ(a2->GetCheck(), 1);
  EXPECT_EQ(a1->GetCheck(), 0) << "same owner, same group";
  EXPECT_EQ(b1->GetCheck(), 1) << "another group";
  EXPECT_EQ(inner->GetCheck(), 1) << "same name under another owner";
  EXPECT_EQ(dlg.Codes(32), std::vector<UINT>{kNotifyClicked});
  a1->SetCheck(1);
  EXPECT_EQ(a2->GetCheck(), 0) << "SetCheck keeps the group to one";
}

TEST_F(ButtonsTest, SwitchTogglesOnClickAndReportsTheState) {
  TestDialog dlg;
  CSwitchButton* s = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    s = Make<CSwitchButton>(d, "CSwitchButton", 12, CRect(10, 10, 70, 40));
  });
  const ARGB off = Pixel(CPoint(20, 25));
  host->Click(hwnd, CPoint(20, 25));
  host->MouseMove(hwnd, CPoint(300, 300));
  EXPECT_EQ(s->GetCheck(), 1);
  EXPECT_NE(Pixel(CPoint(20, 25)), off);
  host->Click(hwnd, CPoint(20, 25));
  const std::vector<Notice> expected{{12, kNotifyClicked, 0, 1}, {12, kNotifyClicked, 0, 0}};
  EXPECT_EQ(dlg.notices, expected);
}

TEST_F(ButtonsTest, UpgradeBadgeIsDrawnOnceAndRepaintsOnlyOnChange) {
  TestDialog dlg;
  UpgradeButton* u = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    auto* panel =
        static_cast<MPanel*>(d.AddControl(std::make_unique<MPanel>(&d, 40, CRect(0, 0, 400, 200))));
    u = dynamic_cast<UpgradeButton*>(
        panel->CreateControl("UpgradeButton", 250, CRect(100, 50, 300, 88), "Update"));
  });
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(dlg.CreateControl("UpgradeButton", 251, CRect()), nullptr) << "pages only";
  const CPoint badge(300 - 8, 50 + 8);
  EXPECT_FALSE(NearColor(Pixel(badge), UpgradeButton::kBadgeColor, 40));
  u->SetUpgradeStatus(1);
  host->Pump();
  EXPECT_TRUE(NearColor(Pixel(CPoint(300 - 3, 50 + 8)), UpgradeButton::kBadgeColor, 40));
  EXPECT_EQ(u->GetUpdate(), 1);
  u->SetUpgradeStatus(1);
  EXPECT_EQ(u->GetUpdate(), 1) << "an unchanged status does not repaint";
  u->SetUpgradeStatus(0);
  EXPECT_EQ(u->GetUpdate(), 0);
}
