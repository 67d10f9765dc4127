// Colour swatches in groups, and the colour wheel's picking and dragging.
#include "QorUI/color_controls.h"

#include <cmath>

#include "QorUI/image.h"
#include "QorUI/manager.h"
#include "controls_fixture.h"

using ColorTest = ControlsTest;

TEST_F(ColorTest, SwatchGroupsKeepTheirOwnCheck) {
  TestDialog dlg;
  CColorButton* a[3];
  CColorButton* b[2];
  OpenWith(dlg, [&](TestDialog& d) {
    for (int i = 0; i < 3; ++i) {
      a[i] = Make<CColorButton>(d, "CColorButton", 84 + i, CRect(10 + 35 * i, 10, 40 + 35 * i, 40));
      a[i]->SetGroupName("A");
    }
    for (int i = 0; i < 2; ++i) {
      b[i] = Make<CColorButton>(d, "CColorButton", 94 + i, CRect(10 + 35 * i, 60, 40 + 35 * i, 90));
      b[i]->SetGroupName("B");
    }
  });
  EXPECT_EQ(a[0]->GetColor(), 0xFFFFFFu);
  a[0]->SetCheck(1);
  b[0]->SetCheck(1);
  host->Click(hwnd, CPoint(60, 25));  // a[1]
  EXPECT_EQ(a[1]->GetCheck(), 1);
  EXPECT_EQ(a[0]->GetCheck(), 0);
  EXPECT_EQ(b[0]->GetCheck(), 1) << "the other group keeps its check";
  EXPECT_EQ(dlg.Codes(85), (std::vector<UINT>{kNotifyPressed, kNotifyClicked}));

  a[2]->SetEnabled(0);
  EXPECT_EQ(a[2]->SetCheck(1), 0) << "disabled: the unchanged check";
  b[1]->SetControlCheck(1);
  EXPECT_EQ(b[0]->GetCheck(), 1) << "SetControlCheck leaves the group alone";
}

TEST_F(ColorTest, SwatchShowsItsColourAndTheBorder) {
  TestDialog dlg;
  CColorButton* c = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    c = Make<CColorButton>(d, "CColorButton", 112, CRect(10, 10, 60, 50));
    c->SetColor(RGB(0x12, 0x34, 0x56));
    c->SetVisibleBorder(true);
  });
  EXPECT_TRUE(NearColor(Pixel(CPoint(35, 30)), 0xFF123456, 0));
  EXPECT_TRUE(NearColor(Pixel(CPoint(10, 30)), CColorButton::kBorderOuter, 0));
  EXPECT_TRUE(NearColor(Pixel(CPoint(11, 30)), CColorButton::kBorderInner, 0));
  EXPECT_TRUE(NearColor(Pixel(CPoint(12, 30)), 0xFF123456, 0));
}

class PaletteTest : public ControlsTest {
 protected:
  // The wheel is 131 x 131, drawn unscaled at (100, 100); its centre is (165.5, 165.5).
  void OpenPalette() {
    OpenWith(dlg, [&](TestDialog& d) {
      wheel = Make<CirclePalette>(d, "CirclePalette", 116, CRect(100, 100, 231, 231));
      ASSERT_EQ(wheel->SetImage("img_palette.png", 1), 1);
    });
    picture = Image::LoadFromFile(Manager::GetSkinPath("img_palette.png"));
    ASSERT_NE(picture, nullptr);
  }
  COLORREF WheelAt(CPoint pt) const {
    return ColorrefFromArgb(picture->Pixels().GetPixel(pt.x - 100, pt.y - 100));
  }
  std::vector<Notice> Take() {
    auto n = dlg.notices;
    dlg.notices.clear();
    return n;
  }

  TestDialog dlg;
  CirclePalette* wheel = nullptr;
  std::unique_ptr<Image> picture;
};

TEST_F(PaletteTest, PressFarFromTheCentreChangesNothing) {
  OpenPalette();
  const CRect thumb = wheel->GetThumbRect();
  EXPECT_EQ(thumb, CRect(200, 130, 210, 140));
  EXPECT_EQ(wheel->GetDistanse(CPoint(165, 235)), 69);
  host->Click(hwnd, CPoint(105, 105));  // 85 pixels away
  EXPECT_EQ(wheel->GetThumbRect(), thumb);
  EXPECT_EQ(wheel->GetSelectColor(), 255u);
  EXPECT_TRUE(dlg.notices.empty());
}

TEST_F(PaletteTest, PickedColourIsTheWheelsPixelUnderTheThumb) {
  OpenPalette();
  for (CPoint pt : {CPoint(215, 165), CPoint(140, 120), CPoint(165, 210), CPoint(166, 166)}) {
    host->Click(hwnd, pt);
    const COLORREF expected = WheelAt(pt);
    EXPECT_EQ(wheel->GetSelectColor(), expected) << pt.x << "," << pt.y;
    EXPECT_EQ(Take(),
              (std::vector<Notice>{{116, kNotifyColorChanged, 0, static_cast<LPARAM>(expected)}}));
    EXPECT_EQ(wheel->GetThumbRect(), CRect(pt.x - 5, pt.y - 5, pt.x + 5, pt.y + 5));
  }
  EXPECT_TRUE(NearColor(Pixel(CPoint(166 - 5 + 4, 166 - 5)), CirclePalette::kThumbLight, 8))
      << "the thumb's white ring";
}

TEST_F(PaletteTest, DraggingIgnoresMovesOfLessThanSixPixels) {
  OpenPalette();
  host->Click(hwnd, CPoint(165, 165));
  Take();
  host->MouseMove(hwnd, CPoint(165, 165));
  host->LButtonDown(hwnd, CPoint(165, 165));
  EXPECT_EQ(wheel->GetDragState(), 2);
  host->MouseMove(hwnd, CPoint(168, 168), MK_LBUTTON);
  EXPECT_TRUE(Take().empty()) << "3 pixels";
  host->MouseMove(hwnd, CPoint(171, 165), MK_LBUTTON);
  EXPECT_EQ(Take().size(), 1u) << "6 pixels";
  host->MouseMove(hwnd, CPoint(300, 300), MK_LBUTTON);
  EXPECT_TRUE(Take().empty()) << "outside the wheel";
  host->LButtonUp(hwnd, CPoint(300, 300));
  EXPECT_EQ(wheel->GetDragState(), 0);
}
