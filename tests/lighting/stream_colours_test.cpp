// Stream step: where each key samples the music picture or the screen grid,
// and when a frame is worth sending.
#include "lighting/stream_colours.h"

#include <gtest/gtest.h>

#include "key_and_colour.h"

#include <vector>

namespace lighting {
namespace {

TEST(StreamColours, SamplingPositionsFollowTheMatrixSize) {
  struct Case {
    int count;
    std::vector<int> rows;     // picture rows of matrix rows 0.. for `count` rows
    std::vector<int> columns;  // picture columns of the first matrix columns for `count` columns
  };
  const Case cases[] = {
      {6, {7, 17, 27, 37, 47, 57}, {0, 42, 84, 126, 168, 210}},
      {21, {3, 5, 7}, {0, 12, 24, 36}},
      {1, {33}, {0}},
      {8, {5, 12, 19, 26, 33, 40, 47, 54}, {0, 31, 62}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    for (std::size_t i = 0; i < c.rows.size(); ++i)
      EXPECT_EQ(SampleRow(static_cast<int>(i), c.count), c.rows[i]);
    for (std::size_t j = 0; j < c.columns.size(); ++j) {
      EXPECT_EQ(SampleColumn(static_cast<int>(j), c.count), c.columns[j]);
    }
  }
  EXPECT_EQ(SampleColumn(20, 21), 240);
}

KeyboardLayout SixByTwentyOne() {
  KeyboardLayout matrix;
  matrix.row_count = 6;
  matrix.col_count = 21;
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 21; ++j) matrix.grid[i][j] = static_cast<BYTE>(i * 21 + j);
  }
  matrix.grid[2][5] = kNoGridKey;
  return matrix;
}

TEST(StreamColours, KeysTakeThePicturePointUnderThem) {
  MusicPicture picture;
  for (int r = 0; r < kPictureHeight; ++r) {
    for (int c = 0; c < kPictureWidth; ++c) picture.At(c, r) = RGB(c, r, 7);
  }
  std::vector<KeyColour> out;
  ColourKeysFromPicture(picture, SixByTwentyOne(), out);
  ASSERT_EQ(out.size(), 6u * 21u - 1u);  // the empty cell has no key
  EXPECT_EQ(KeyAndColour(out[0]), KeyAndColour(0, RGB(0, 7, 7)));
  EXPECT_EQ(KeyAndColour(out[20]), KeyAndColour(20, RGB(240, 7, 7)));
  EXPECT_EQ(KeyAndColour(out.back()), KeyAndColour(125, RGB(240, 57, 7)));
  for (const KeyColour& k : out) EXPECT_NE(k.key_code, 2 * 21 + 5);
}

TEST(StreamColours, KeysTakeTheirGridEntryByColumn) {
  ScreenGrid grid{};
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) grid[c * 8 + r] = RGB(r, c, 1);
  }
  std::vector<KeyColour> out;
  ColourKeysFromGrid(grid, SixByTwentyOne(), out);
  EXPECT_EQ(KeyAndColour(out[21 + 3]), KeyAndColour(24, RGB(1, 3, 1)));
  EXPECT_EQ(KeyAndColour(out.back()), KeyAndColour(125, RGB(5, 20, 1)));
}

TEST(StreamColours, MatrixBeyondItsCellsIsCutToTheGrid) {
  KeyboardLayout matrix;
  matrix.row_count = 40;
  matrix.col_count = 300;
  matrix.grid[7][31] = 9;
  std::vector<KeyColour> out;
  ColourKeysFromGrid(ScreenGrid{}, matrix, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].key_code, 9);
  matrix.row_count = 0;
  ColourKeysFromGrid(ScreenGrid{}, matrix, out);
  EXPECT_TRUE(out.empty());
}

TEST(StreamColours, FrameIsSentOnlyWhenSomeColourIsTwoOrMore) {
  struct Case {
    std::vector<COLORREF> colours;
    bool send;
  };
  const Case cases[] = {
      {{}, false},
      {{0, 0, 1}, false},
      {{0, 2}, true},
      {{RGB(0, 1, 0)}, true},  // 256 as a value
      {{RGB(0, 0, 1)}, true},
  };
  for (const Case& c : cases) {
    std::vector<KeyColour> out;
    for (COLORREF colour : c.colours) out.push_back({4, colour});
    EXPECT_EQ(HasVisibleColour(out), c.send) << c.colours.size();
  }
}

TEST(MusicPicture, BarsRiseOverTheBackgroundByTheDisplayBand) {
  MusicPicture background, foreground, out;
  background.pixels.fill(RGB(1, 0, 0));
  foreground.pixels.fill(RGB(0, 9, 0));
  std::array<float, kPictureWidth> display{};
  display[1] = 0.5f;
  display[2] = 1.0f;
  display[3] = 1.0f / 64.0f + 1e-4f;
  display[4] = 1.0f / 64.0f;
  ComposePicture(display, background, foreground, out);
  struct Case {
    int column;
    int first_bar_row;  // 64 when no row shows the bar
  };
  const Case cases[] = {{0, 64}, {1, 33}, {2, 1}, {3, 63}, {4, 64}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    for (int r = 0; r < kPictureHeight; ++r) {
      EXPECT_EQ(out.At(c.column, r),
                r >= c.first_bar_row ? foreground.At(0, 0) : background.At(0, 0))
          << "row " << r;
    }
  }
}

}  // namespace
}  // namespace lighting
