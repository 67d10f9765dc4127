// Music patterns: colour conversion, scaling by brightness, stripes, hue circle.
#include "lighting/music_patterns.h"
#include "lighting/hsv_colour.h"

#include <gtest/gtest.h>

namespace lighting {
namespace {

TEST(MusicPatterns, HsvUsesSixtyDegreeSectorsWithRedInTheLowByte) {
  struct Case {
    int hue;
    COLORREF colour;
  };
  const Case cases[] = {
      {0, RGB(255, 0, 0)},     {30, RGB(255, 128, 0)},  {60, RGB(255, 255, 0)},
      {120, RGB(0, 255, 0)},   {180, RGB(0, 255, 255)}, {240, RGB(0, 0, 255)},
      {300, RGB(255, 0, 255)}, {360, RGB(255, 0, 0)},   {420, RGB(255, 255, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hue);
    EXPECT_EQ(HsvColour(c.hue, 255, 255), c.colour);
  }
  EXPECT_EQ(HsvColour(200, 0, 77), RGB(77, 77, 77));
  EXPECT_EQ(HsvColour(0, 255, 255), 0x0000FFu);
}

TEST(MusicPatterns, SolidColoursAreScaledByBrightness) {
  PatternPainter painter;
  MusicPicture picture;
  struct Case {
    int pattern;
    int brightness;
    COLORREF colour;
  };
  const Case cases[] = {
      {2, 50, RGB(126, 0, 0)},  // trunc(50 * 2.55) = 127; 255 * 127 / 256 = 126
      {2, 100, RGB(254, 0, 0)},
      {1, 100, RGB(254, 254, 254)},
      {0, 100, 0},
      {3, 100, RGB(254, 63, 0)},  // 16639
      {8, 100, RGB(63, 0, 254)},  // 16711744
      {6, 0, 0},
      {21, 100, 0},  // an unknown stored pattern paints black
      {-1, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    picture.pixels.fill(0xABCDEF);
    painter.Draw(picture, c.pattern, c.brightness, 0.0f);
    EXPECT_EQ(picture.At(0, 0), c.colour);
    EXPECT_EQ(picture.At(255, 63), c.colour);
  }
}

TEST(MusicPatterns, StripesStartWithTheFirstColourAtTheBottom) {
  PatternPainter painter;
  MusicPicture picture;
  // Pattern 9: green, yellow, red, each a third of the height.
  painter.Draw(picture, 9, 100, 0.0f);
  EXPECT_EQ(picture.At(10, 63), RGB(0, 254, 0));
  EXPECT_EQ(picture.At(10, 43), RGB(0, 254, 0));    // 3 - 3*43/63 = 0.95
  EXPECT_EQ(picture.At(10, 42), RGB(254, 254, 0));  // exactly 1
  EXPECT_EQ(picture.At(10, 22), RGB(254, 254, 0));
  EXPECT_EQ(picture.At(10, 21), RGB(254, 0, 0));  // exactly 2
  EXPECT_EQ(picture.At(10, 1), RGB(254, 0, 0));
  // Pattern 14's six colours, magenta at the bottom, red on top.
  painter.Draw(picture, 14, 100, 0.0f);
  EXPECT_EQ(picture.At(0, 63), RGB(254, 0, 254));
  EXPECT_EQ(picture.At(0, 1), RGB(254, 0, 0));
}

TEST(MusicPatterns, HueCircleTurnsAroundItsCentreAndWithTheHue) {
  PatternPainter painter;
  MusicPicture picture;
  struct Case {
    int pattern;
    float hue;
    int column;
    int row;
    COLORREF colour;
  };
  const Case cases[] = {
      {17, 0.0f, 0, 32, RGB(255, 0, 0)},      // left of (128, 32): 180 + 180 = 0 degrees
      {17, 0.0f, 255, 32, RGB(0, 255, 255)},  // right: 180 degrees
      {17, 0.0f, 128, 0, RGB(132, 255, 0)},   // above: 89, the factor is a hair short of 180/pi
      {17, 0.0f, 128, 63, RGB(128, 0, 255)},  // below: 270 degrees
      {17, 60.0f, 0, 32, RGB(255, 255, 0)},   // the hue turns the whole circle
      {17, 300.0f, 255, 32, RGB(0, 255, 0)},  // 180 + 300 wraps to 120
      {18, 0.0f, 128, 0, RGB(132, 255, 0)},   // centre (128, 64): straight above
      {18, 0.0f, 0, 63, RGB(255, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.pattern << " hue " << c.hue << " at " << c.column << "," << c.row);
    painter.Draw(picture, c.pattern, 100, c.hue);
    EXPECT_EQ(picture.At(c.column, c.row), c.colour);
  }
}

TEST(MusicPatterns, WaveAndSweepFollowTheHue) {
  PatternPainter painter;
  MusicPicture picture;
  // Pattern 19 is one hue everywhere; pattern 16 sweeps (256 - column + hue).
  painter.Draw(picture, 19, 100, 120.0f);
  EXPECT_EQ(picture.At(7, 9), RGB(0, 255, 0));
  painter.Draw(picture, 16, 100, 0.0f);
  EXPECT_EQ(picture.At(16, 0), RGB(0, 0, 255));  // 240 degrees
  EXPECT_EQ(picture.At(16, 0), picture.At(16, 63));
  // Pattern 20 is pattern 15's colour of column 1, everywhere.
  painter.Draw(picture, 15, 100, 40.0f);
  const COLORREF wave1 = picture.At(1, 0);
  EXPECT_EQ(wave1, WaveColour(1, 40.0f, 255));
  painter.Draw(picture, 20, 100, 40.0f);
  EXPECT_EQ(picture.At(200, 50), wave1);
  // At t = 0 the red channel sits at the middle of its swing: v * 127 / 256.
  EXPECT_EQ(GetRValue(WaveColour(0, 0.0f, 255)), 255 * 127 / 256);
}

}  // namespace
}  // namespace lighting
