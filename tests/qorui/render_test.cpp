#include "QorUI/render.h"

#include <gtest/gtest.h>

#include "QorUI/image_list.h"
#include "QorUI/manager.h"
#include "framework/text_engine.h"
#include "test_support.h"

namespace {

constexpr ARGB kTL = 0xFFFF0000, kT = 0xFF00FF00, kTR = 0xFF0000FF, kL = 0xFFFFFF00,
               kC = 0xFF00FFFF, kR = 0xFFFF00FF, kBL = 0xFF800000, kB = 0xFF008000,
               kBR = 0xFF000080;

// A 12 × 12 image cut into 4-pixel cells, each cell one colour.
Image NineCells() {
  Canvas c(12, 12);
  const ARGB colors[3][3] = {{kTL, kT, kTR}, {kL, kC, kR}, {kBL, kB, kBR}};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      c.FillRect(CRect(col * 4, row * 4, col * 4 + 4, row * 4 + 4), colors[row][col]);
  return Image(std::move(c));
}

}  // namespace

TEST(MRender, NineSliceKeepsCornersAndStretchesTheRest) {
  const Image image = NineCells();
  Canvas dc(40, 30);
  MRender::DrawImageFrame(dc, &image, CRect(0, 0, 40, 30), 0, 0, 12, 12, 4);
  struct Case {
    int x, y;
    ARGB color;
  };
  const Case cases[] = {{0, 0, kTL},   {3, 3, kTL},   {20, 1, kT},  {39, 0, kTR}, {36, 3, kTR},
                        {1, 15, kL},   {20, 15, kC},  {38, 15, kR}, {0, 29, kBL}, {20, 28, kB},
                        {39, 29, kBR}, {36, 26, kBR}, {4, 4, kC},   {35, 25, kC}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    EXPECT_TRUE(NearColor(dc.GetPixel(c.x, c.y), c.color));
  }
}

TEST(MRender, NineSliceSmallerThanTwoCornersStillDrawsFullCorners) {
  const Image image = NineCells();
  Canvas dc(6, 6);
  MRender::DrawImageFrame(dc, &image, CRect(0, 0, 6, 6), 0, 0, 12, 12, 4);
  // The bottom-right corner is drawn last of the corners and overlaps the others.
  EXPECT_TRUE(NearColor(dc.GetPixel(0, 0), kTL));
  EXPECT_TRUE(NearColor(dc.GetPixel(5, 5), kBR));
  EXPECT_TRUE(NearColor(dc.GetPixel(3, 3), kBR));
  EXPECT_TRUE(NearColor(dc.GetPixel(5, 0), kTR));
}

TEST(MRender, NineSliceOfAFrameSmallerThanItsCornersDrawsItsMiddleOnce) {
  // An 18 × 12 frame under 10-pixel corners, with a marker band across rows 4 to 7.
  constexpr ARGB kAbove = 0xFF0000FF, kMarker = 0xFFFF0000, kBelow = 0xFF00FF00;
  Canvas frame(18, 12);
  frame.FillRect(CRect(0, 0, 18, 4), kAbove);
  frame.FillRect(CRect(0, 4, 18, 8), kMarker);
  frame.FillRect(CRect(0, 8, 18, 12), kBelow);
  const Image image(std::move(frame));
  for (int height : {12, 15, 20, 30}) {
    SCOPED_TRACE(height);
    Canvas dc(18, height);
    MRender::DrawImageFrame(dc, &image, dc.Bounds(), 0, 0, 18, 12, 10);
    EXPECT_TRUE(NearColor(dc.GetPixel(9, 0), kAbove));
    EXPECT_TRUE(NearColor(dc.GetPixel(9, height - 1), kBelow));
    int bands = 0;
    for (int y = 0; y < height; ++y) {
      const bool marker = NearColor(dc.GetPixel(9, y), kMarker);
      if (marker && (y == 0 || !NearColor(dc.GetPixel(9, y - 1), kMarker))) ++bands;
    }
    EXPECT_EQ(bands, 1);
  }
}

TEST(MRender, NineSliceOfOneFrameNeverBleedsIntoItsNeighbour) {
  // Two frames of 12 × 12: red and blue. Stretching the second must stay blue.
  Canvas strip(24, 12);
  strip.FillRect(CRect(0, 0, 12, 12), 0xFFFF0000);
  strip.FillRect(CRect(12, 0, 24, 12), 0xFF0000FF);
  const Image image(std::move(strip));
  Canvas dc(100, 50);
  MRender::DrawImageFrame(dc, &image, dc.Bounds(), 12, 0, 12, 12, 4);
  for (int x = 0; x < 100; x += 9) EXPECT_TRUE(NearColor(dc.GetPixel(x, 25), 0xFF0000FF)) << x;
}

TEST(MRender, GradientAlphaIsTheAverageOfBothEnds) {
  Canvas dc(20, 20);
  dc.FillSolidRect(dc.Bounds(), RGB(0, 0, 0));
  MRender::DrawGradient(dc, CRect(0, 0, 20, 10), 0x00FF0000, 0x00FF0000, true, 64);
  EXPECT_EQ(dc.GetPixel(5, 5), 0xFF000000u);  // both alphas 0: nothing drawn
  MRender::DrawGradient(dc, CRect(0, 10, 20, 20), 0xFFFF0000, 0x01FF0000, true, 64);
  EXPECT_TRUE(NearColor(dc.GetPixel(5, 15), 0xFF800000));
}

TEST(MRender, GradientRunsBetweenItsColours) {
  Canvas dc(100, 4);
  MRender::DrawGradient(dc, dc.Bounds(), 0xFF000000, 0xFFFFFFFF, false, 2);
  EXPECT_LT(ArgbRed(dc.GetPixel(2, 1)), 16);
  EXPECT_TRUE(NearColor(dc.GetPixel(50, 1), 0xFF808080, 6));
  EXPECT_GT(ArgbRed(dc.GetPixel(97, 1)), 240);
}

TEST(MRender, CheckAlphaColorOnlyRaisesPureBlack) {
  const std::pair<DWORD, DWORD> cases[] = {{0xFF000000, 0xFF000001},
                                           {0x00000001, 0x00000001},
                                           {0x00000000, 0x00000001},
                                           {0x80000000, 0x80000001},
                                           {0xFF010000, 0xFF010000}};
  for (auto [in, out] : cases) {
    DWORD c = in;
    MRender::CheckAlphaColor(c);
    EXPECT_EQ(c, out) << std::hex << in;
  }
}

TEST(MRender, RoundRectangleLeavesCornersAndFillsInside) {
  Canvas dc(120, 60);
  MRender::DrawRoundRectange(dc, 0, 0, 120, 60, 2, 0xFF00FF00);  // radii 30 and 15 -> both 15
  EXPECT_EQ(ArgbAlpha(dc.GetPixel(1, 1)), 0);
  EXPECT_EQ(ArgbAlpha(dc.GetPixel(118, 58)), 0);
  EXPECT_TRUE(NearColor(dc.GetPixel(60, 30), 0xFF00FF00));
  EXPECT_TRUE(NearColor(dc.GetPixel(16, 2), 0xFF00FF00));  // flat top edge starts past rx
}

TEST(MRender, OriginPointFollowsTheAlignments) {
  struct Case {
    UINT h, v;
    CPoint p;
  };
  const Case cases[] = {{kAlignLeft, kAlignTop, {10, 20}},
                        {kAlignCenter, kAlignVCenter, {45, 40}},
                        {kAlignRight, kAlignBottom, {80, 60}}};
  for (const Case& c : cases)
    EXPECT_EQ(MRender::GetOriginPoint(CRect(10, 20, 110, 80), 30, 20, c.h, c.v), c.p);
  EXPECT_EQ(MRender::GetOriginPoint(100, 60, 30, 20, kAlignCenter, kAlignVCenter), CPoint(35, 20));
}

TEST(MRender, TextIsMeasuredAndDrawnWithCjkFallback) {
  const FontSpec font{"Arial", 14, 0};
  const CSize one = MRender::GetTextBounds(font, "Lighting");
  const CSize two = MRender::GetTextBounds(font, "Lighting Lighting");
  EXPECT_GT(one.cx, 20);
  EXPECT_GT(one.cy, 10);
  EXPECT_GT(two.cx, one.cx * 3 / 2);
  EXPECT_GT(MRender::GetTextBounds(FontSpec{"Arial", 14, FontStyleBold}, "Lighting").cx, one.cx);
  // Wrapping at a narrow width makes the text taller.
  EXPECT_GT(MRender::GetTextBounds(font, TextFormat{}, 60, "Lighting Lighting").cy, one.cy);

  Canvas dc(200, 40);
  dc.DrawText("灯光效果", dc.Bounds(), font, 0xFFFFFFFF, {kAlignCenter, kAlignVCenter});
  const int left = InkCount(dc, CRect(0, 0, 60, 40));
  const int middle = InkCount(dc, CRect(60, 0, 140, 40));
  EXPECT_EQ(left, 0);
  EXPECT_GT(middle, 40);  // the glyphs come from a CJK fallback face
}

TEST(MRender, PrivateFontFileAnswersToItsFace) {
  const std::string file = "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "fonts-liberation2 is not installed";
  TextEngine& engine = TextEngine::Get();
  EXPECT_FALSE(engine.AddPrivateFont("QorMissing", "/nonexistent/font.ttf"));
  ASSERT_TRUE(engine.AddPrivateFont("QorTestFace", file));
  {
    std::lock_guard lock(engine.Lock());
    EXPECT_EQ(engine.FamilyOf("QorTestFace"), "Liberation Serif");
    EXPECT_EQ(engine.FamilyOf("Unknown Face"), "Unknown Face");
  }
  const std::string sample = "The quick brown fox";
  EXPECT_EQ(MRender::GetTextBounds(FontSpec{"QorTestFace", 20, 0}, sample),
            MRender::GetTextBounds(FontSpec{"Liberation Serif", 20, 0}, sample));
  EXPECT_NE(MRender::GetTextBounds(FontSpec{"QorTestFace", 20, 0}, sample),
            MRender::GetTextBounds(FontSpec{"Liberation Sans", 20, 0}, sample));
}

TEST(Image, LoadsFilesAndResourcesAndRejectsTheRest) {
  TempDir dir;
  Canvas c(8, 4);
  c.FillRect(CRect(0, 0, 4, 4), 0xFFFF0000);
  c.FillRect(CRect(4, 0, 8, 4), 0x80000000 | 0x0000FF);
  ASSERT_TRUE(c.SavePng(dir / "two.png"));
  auto image = MRender::LoadImageFromFile(dir / "two.png");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 8);
  EXPECT_EQ(image->Height(), 4);
  EXPECT_EQ(image->Pixels().GetPixel(1, 1), 0xFFFF0000u);
  EXPECT_TRUE(NearColor(image->Pixels().GetPixel(6, 1), 0x800000FF));

  std::FILE* f = std::fopen((dir / "junk.png").c_str(), "w");
  std::fputs("not a picture", f);
  std::fclose(f);
  EXPECT_FALSE(MRender::LoadImageFromFile(dir / "junk.png"));
  EXPECT_FALSE(MRender::LoadImageFromFile(dir / "missing.png"));
  EXPECT_FALSE(MRender::LoadImageFromFile(""));

  for (UINT id : {kResScrollHorizontal, kResScrollVertical}) {
    auto res = MRender::LoadImageFromIDResource(id);
    ASSERT_TRUE(res) << id;
    EXPECT_EQ(res->Width() % 3, 0);
  }
  EXPECT_FALSE(MRender::LoadImageFromIDResource(999));
}

TEST(Image, AnimationYieldsEveryFrameOnce) {
  TempDir dir;
  const std::string gif = dir / "anim.gif";
  const std::string cmd =
      "convert -delay 10 -size 4x4 xc:red xc:blue xc:lime " + gif + " 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) GTEST_SKIP() << "ImageMagick is not installed";
  auto frames = Image::LoadFramesFromFile(gif);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].delay_ms, 100);
  EXPECT_TRUE(NearColor(frames[1].image->Pixels().GetPixel(1, 1), 0xFF0000FF));
  EXPECT_TRUE(Image::LoadFramesFromFile(dir / "none.gif").empty());
}

TEST(MImageList, InsertsByIndexAndFindsById) {
  TempDir dir;
  Canvas c(30, 10);
  c.FillRect(CRect(0, 0, 10, 10), 0xFFFF0000);
  c.FillRect(CRect(10, 0, 30, 10), 0xFF00FF00);
  ASSERT_TRUE(c.SavePng(dir / "icons.png"));
  MImageList list;
  EXPECT_EQ(list.AddImage(dir / "icons.png", 7, 3), 0);
  EXPECT_EQ(list.InsertImage(0, dir / "icons.png", 8, 1), 0);
  EXPECT_EQ(list.InsertImage(-1, dir / "icons.png", 9, 3), 2);
  const int rejected[] = {-2, 3, 10};
  for (int index : rejected) EXPECT_EQ(list.InsertImage(index, dir / "icons.png", 1, 1), -1);
  EXPECT_EQ(list.InsertImage(0, "", 1, 1), -1);
  EXPECT_EQ(list.AddImage(dir / "missing.png", 1, 1), -1);
  EXPECT_EQ(list.GetImageCount(), 3);
  EXPECT_EQ(list.GetImageDataByID(7)->frame_width, 10);
  EXPECT_EQ(list.GetItemImageData(0)->id, 8);
  EXPECT_EQ(list.GetImagePathByID(9), dir / "icons.png");
  EXPECT_EQ(list.GetItemImageData(5), nullptr);

  Canvas dc(20, 20);
  list.DrawItemIcon(dc, CRect(0, 0, 20, 20), 1);  // frame 0 of id 7, stretched
  EXPECT_TRUE(NearColor(dc.GetPixel(18, 18), 0xFFFF0000));
  list.DelAllImages();
  EXPECT_EQ(list.GetImageCount(), 0);
}

TEST(Manager, SkinPathsComeFromTheProgramFolder) {
  EXPECT_EQ(Manager::GetTheme(), "theme1/");
  EXPECT_EQ(Manager::GetProgramFolder(), std::string(TERVANE_BIN_DIR) + "/");
  const std::string skins = std::string(TERVANE_BIN_DIR) + "/skins/theme1/";
  EXPECT_EQ(Manager::GetSkinFolder(), skins);
  const std::pair<const char*, const char*> names[] = {
      {"img_tip_bk.png", "img_tip_bk.png"},
      {"icon\\tab_home.png", "icon/tab_home.png"},
      {"icon//icon_pc.png", "icon/icon_pc.png"},
      {"loading\\\\loading.gif", "loading/loading.gif"}};
  for (auto [name, rel] : names) EXPECT_EQ(Manager::GetSkinPath(name), skins + rel);
}
