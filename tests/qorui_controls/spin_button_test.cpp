// MSpinButton: the buttons and the field change the value within its range,
// and only the owner's 28 leaves the panel.
#include "QorUI/spin_button.h"

#include "controls_fixture.h"

TEST_F(ControlsTest, SpinButtonStepsWithinItsRangeAndReports28) {
  TestDialog dlg;
  MSpinButton* spin = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    spin = Make<MSpinButton>(d, "MSpinButton", 123, CRect(100, 100, 160, 124));
    spin->SetRange(0, 255);
    spin->SetValue(254);
  });
  const CPoint up(150, 105), down(150, 120);
  host->Click(hwnd, up);
  host->Click(hwnd, up);
  EXPECT_EQ(spin->GetValue(), 255) << "stops at the maximum";
  host->Click(hwnd, down);
  EXPECT_EQ(spin->GetValue(), 254);
  EXPECT_EQ(dlg.notices, (std::vector<Notice>{{123, kNotifySpinChanged, 0, 0},
                                              {123, kNotifySpinChanged, 0, 0}}));

  host->Click(hwnd, CPoint(120, 112));
  auto& entries = host->Window(hwnd)->TextEntries();
  ASSERT_EQ(entries.size(), 1u);
  entries.front()->Type("3x00");
  EXPECT_EQ(spin->GetValue(), 255) << "300 is clamped";
  entries.front()->PressReturn();
  host->Click(hwnd, CPoint(120, 112));
  EXPECT_EQ(entries.front()->GetText(), "255") << "the field shows the value it stands for";
  spin->SetValue(-5);
  EXPECT_EQ(spin->GetValue(), 0);
}
