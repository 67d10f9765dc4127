// Texts, areas, pictures and the animated GIF: what they draw, and the GIF's
// pace on the window's animation tick.
#include "QorUI/static_controls.h"

#include "QorUI/manager.h"

#include "controls_fixture.h"

using StaticTest = ControlsTest;

namespace {
int CountWhere(const Canvas& c, const CRect& r, bool (*pred)(ARGB)) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (pred(c.GetPixel(x, y))) ++n;
  return n;
}
bool Reddish(ARGB p) {
  return ArgbRed(p) > 0xB0 && ArgbGreen(p) < 0x60;
}
bool Whitish(ARGB p) {
  return ArgbRed(p) > 0xB0 && ArgbGreen(p) > 0xB0;
}
}  // namespace

TEST_F(StaticTest, TextMarksItsSubstringAndWrapsWhenAsked) {
  TestDialog dlg;
  MText* text = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    text = Make<MText>(d, "MText", 39, CRect(10, 10, 310, 40), "Keys and Lights");
    text->SetFont(nullptr, 20, FontStyleBold);
  });
  const CRect line(10, 10, 310, 40);
  EXPECT_EQ(CountWhere(Screen(hwnd), line, Reddish), 0);
  text->SetMarkText("and", 0xFFFF0000);
  host->Pump();
  const int red = CountWhere(Screen(hwnd), line, Reddish);
  EXPECT_GT(red, 20);
  // The red run sits where "and" is: right of "Keys ", left of " Lights".
  const int key_width = Canvas::MeasureText("Keys ", FontSpec{Manager::GetFontName(), 20, 1}).cx;
  EXPECT_EQ(CountWhere(Screen(hwnd), CRect(10, 10, 10 + key_width - 2, 40), Reddish), 0);

  text->SetMarkText("", 0);
  text->SetRect(CRect(10, 10, 90, 90));
  text->EnableMultiLine(1);
  host->Pump();
  EXPECT_GT(CountWhere(Screen(hwnd), CRect(10, 45, 90, 90), Whitish), 20)
      << "the words wrapped onto further lines";
}

TEST_F(StaticTest, AreaBlendsItsColourAcrossTheRange) {
  TestDialog dlg;
  CArea* area = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    d.SetBackColor(RGB(0, 0, 0), RGB(0, 0, 0));
    area = Make<CArea>(d, "CArea", 35, CRect(10, 10, 110, 110));
  });
  EXPECT_TRUE(NearColor(Pixel(CPoint(50, 50)), MakeArgb(0xFF, 80, 80, 80), 3)) << "80/255 white";
  area->SetTransparent(0, 255, RGB(0, 0, 0xFF), 1);
  host->Pump();
  EXPECT_TRUE(NearColor(Pixel(CPoint(50, 11)), 0xFF000003, 4)) << "top: transparent";
  EXPECT_TRUE(NearColor(Pixel(CPoint(50, 108)), 0xFF0000FA, 6)) << "bottom: opaque blue";
  area->SetFrame(1, 0xFF00FF00);
  host->Pump();
  EXPECT_TRUE(NearColor(Pixel(CPoint(10, 50)), 0xFF00FF00, 0));
  EXPECT_EQ(host->Window(hwnd)->MoveDrags(), 0);
  host->Click(hwnd, CPoint(50, 50));
  EXPECT_EQ(host->Window(hwnd)->MoveDrags(), 1) << "an area takes no press: the window drags";
}

TEST_F(StaticTest, PictureStretchesOrKeepsItsSize) {
  TestDialog dlg;
  MPicture* pic = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    pic = Make<MPicture>(d, "MPicture", 37, CRect(10, 10, 74, 74));
    EXPECT_EQ(pic->SetImage("missing.png", 1), 0);
    ASSERT_EQ(pic->SetImage("logo/logo.png", 1), 1);  // 32 x 32
  });
  const ARGB back = Pixel(CPoint(200, 200));
  auto drawn = [&](const CRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Pixel(CPoint(x, y)) != back) ++n;
    return n;
  };
  const CRect beyond(42, 42, 74, 74);  // past the picture's own size
  EXPECT_GT(drawn(beyond), 50) << "stretched over the control";
  pic->SetShowMode(kShowNatural);
  host->Pump();
  EXPECT_EQ(drawn(beyond), 0);
  EXPECT_GT(drawn(CRect(10, 10, 42, 42)), 50);
}

TEST_F(StaticTest, GifAdvancesEveryFifthTickWhileRunning) {
  TestDialog dlg;
  CGifPicture* gif = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    gif = Make<CGifPicture>(d, "CGifPicture", 30, CRect(1, 1, 101, 101));
    ASSERT_EQ(gif->SetImage("loading.gif", 1), 1);
    gif->AddMTimer();
    d.SetMTimer(10);
  });
  EXPECT_EQ(gif->GetFrameCount(), 12);
  host->AdvanceTime(100);
  EXPECT_EQ(gif->GetCurrentFrame(), 0) << "stopped until SetRunState";
  gif->SetRunState(1, 10);
  host->Pump();
  auto picture = [&] {
    std::vector<ARGB> px;
    for (int y = 1; y < 101; y += 3)
      for (int x = 1; x < 101; x += 3) px.push_back(Pixel(CPoint(x, y)));
    return px;
  };
  const std::vector<ARGB> frame10 = picture();
  host->AdvanceTime(40);
  EXPECT_EQ(gif->GetCurrentFrame(), 10);
  host->AdvanceTime(10);
  EXPECT_EQ(gif->GetCurrentFrame(), 11) << "50 ms a frame with a 10 ms tick";
  host->AdvanceTime(50);
  EXPECT_EQ(gif->GetCurrentFrame(), 0) << "wraps";
  EXPECT_NE(picture(), frame10);
  gif->SetRunState(0, 3);
  host->AdvanceTime(100);
  EXPECT_EQ(gif->GetCurrentFrame(), 3);

  ASSERT_EQ(gif->SetImage("logo/logo.png", 1), 1);
  gif->SetRunState(1, 0);
  EXPECT_EQ(gif->IsRunning(), 0) << "a still picture does not run";
}
