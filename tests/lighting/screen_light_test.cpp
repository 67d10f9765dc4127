// Screen lighting: area averages, the two-step reduction, the grid rule and
// the sampling thread.
#include "lighting/screen_light.h"

#include <gtest/gtest.h>

#include "key_and_colour.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/fake_screen_capture.h"

namespace lighting {
namespace {

std::vector<std::uint32_t> Reduce(std::vector<std::uint32_t> source, int sw, int sh, int dw,
                                  int dh) {
  AreaReducer reducer(dw, dh);
  std::vector<std::uint32_t> out(static_cast<std::size_t>(dw) * dh, 0xDEAD);
  reducer.Reduce(ScreenPixels{source.data(), sw, sh, sw}, out);
  return out;
}

TEST(AreaReducer, EveryOutputPixelIsTheMeanOfTheAreaItCovers) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> source;
    int sw, sh, dw, dh;
    std::vector<std::uint32_t> expected;
  };
  const Case cases[] = {
      {"whole blocks",
       {0x000000, 0x0000FF, 0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00},
       2,
       3,
       1,
       1,
       {0x55552B}},
      {"half a pixel each", {0, 0xFF, 0}, 3, 1, 2, 1, {0x55, 0x55}},
      {"rows too", {0xFF, 0xFF, 0, 0}, 1, 4, 1, 3, {0xFF, 0x80, 0}},
      {"enlarging repeats", {0x102030}, 1, 1, 2, 2, {0x102030, 0x102030, 0x102030, 0x102030}},
      {"channels apart",
       {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF},
       4,
       1,
       2,
       1,
       {0x808000, 0x8080FF}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Reduce(c.source, c.sw, c.sh, c.dw, c.dh), c.expected);
  }
}

TEST(AreaReducer, StrideSkipsPaddingAndSizesMayChangeBetweenCalls) {
  AreaReducer reducer(1, 1);
  std::vector<std::uint32_t> out(1);
  const std::vector<std::uint32_t> padded = {0x10, 0x30, 0xFFFFFF, 0x50, 0x70, 0xFFFFFF};
  reducer.Reduce(ScreenPixels{padded.data(), 2, 2, 3}, out);
  EXPECT_EQ(out[0], 0x40u);
  const std::vector<std::uint32_t> single = {0x123456};
  reducer.Reduce(ScreenPixels{single.data(), 1, 1, 1}, out);
  EXPECT_EQ(out[0], 0x123456u);
}

// A 1920 x 1080 screen of 18 x 6 flat blocks, block (c, r) coloured (c*14, r*40, 200).
std::vector<std::uint32_t> BlockScreen(int width, int height) {
  std::vector<std::uint32_t> screen(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int c = x * 18 / width;
      const int r = y * 6 / height;
      screen[static_cast<std::size_t>(y) * width + x] = (c * 14u << 16) | (r * 40u << 8) | 200u;
    }
  }
  return screen;
}

TEST(ScreenReduction, EachCellAveragesItsScreenRegion) {
  // Whole 4 x 4 blocks; blocks of 5.33 (reduced by 5 first); blocks of 2.85 x 2.84; a small screen.
  const std::pair<int, int> sizes[] = {{1920, 1080}, {2560, 1440}, {1366, 768}, {320, 200}};
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(testing::Message() << width << "x" << height);
    const auto screen = BlockScreen(width, height);
    ScreenReduction reduction;
    const ScreenCells& cells = reduction.Reduce(ScreenPixels{screen.data(), width, height, width});
    for (int r = 0; r < kCellRows; ++r) {
      for (int c = 0; c < kCellColumns; ++c) {
        SCOPED_TRACE(testing::Message() << "cell " << c << "," << r);
        const std::uint32_t p = cells[r * kCellColumns + c];
        // Block edges fall inside reduced pixels, so neighbours bleed in a little.
        EXPECT_NEAR(static_cast<int>(p >> 16), c * 14, 2);
        EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), r * 40, 3);
        EXPECT_EQ(p & 0xFF, 200u);
      }
    }
  }
}

TEST(AreaReducer, LargeScreensReducedByWholeBlocksFirstKeepTheirEdges) {
  AreaReducer reducer(480, 270);
  std::vector<std::uint32_t> out(480 * 270);
  // Red left half, blue right half: the boundary falls on a block edge either way.
  std::vector<std::uint32_t> halves(1000 * 600);
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 1000; ++x) halves[y * 1000 + x] = x < 500 ? 0xFF0000 : 0x0000FF;
  }
  reducer.Reduce(ScreenPixels{halves.data(), 1000, 600, 1000}, out);
  EXPECT_EQ(out[100 * 480 + 239], 0xFF0000u);
  EXPECT_EQ(out[100 * 480 + 240], 0x0000FFu);
  // A size that does not split into whole blocks leaves out at most a block's edge.
  const std::vector<std::uint32_t> flat(1001 * 601, 0x336699);
  reducer.Reduce(ScreenPixels{flat.data(), 1001, 601, 1001}, out);
  EXPECT_EQ(out.front(), 0x336699u);
  EXPECT_EQ(out.back(), 0x336699u);
}

TEST(ScreenGrid, PositionsBeyondTheCellsRepeatTheLastColourRead) {
  ScreenCells cells{};
  for (int r = 0; r < kCellRows; ++r) {
    for (int c = 0; c < kCellColumns; ++c) cells[r * kCellColumns + c] = MakeArgb(0, c, r, 0x77);
  }
  ScreenGrid grid{};
  grid.fill(0xABABAB);
  FillScreenGrid(cells, 8, 21, grid);
  struct Case {
    int row, column;
    COLORREF colour;
  };
  const Case cases[] = {
      {0, 0, RGB(0, 0, 0x77)},   {5, 17, RGB(17, 5, 0x77)}, {3, 9, RGB(9, 3, 0x77)},
      {6, 4, RGB(4, 5, 0x77)},   {7, 4, RGB(4, 5, 0x77)},    // under the cells: the column's last
      {0, 18, RGB(17, 5, 0x77)}, {7, 20, RGB(17, 5, 0x77)},  // right of them: the last cell read
  };
  for (const Case& c : cases) {
    EXPECT_EQ(grid[GridIndex(c.row, c.column)], c.colour) << c.row << "," << c.column;
  }
  EXPECT_EQ(grid[GridIndex(0, 21)], 0xABABABu);  // outside the matrix: untouched

  // A pass that starts outside the cells has read nothing yet: black.
  ScreenGrid first{};
  first.fill(0xABABAB);
  FillScreenGrid(cells, 1, 1, first);
  EXPECT_EQ(first[0], RGB(0, 0, 0x77));
}

KeyboardLayout Matrix(int rows, int columns) {
  KeyboardLayout m;
  m.row_count = rows;
  m.col_count = columns;
  for (int i = 0; i < rows && i < kGridRows; ++i) {
    for (int j = 0; j < columns && j < kGridColumns; ++j)
      m.grid[i][j] = static_cast<BYTE>(i * 32 + j);
  }
  return m;
}

template <typename Predicate>
bool WaitFor(Predicate done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

TEST(ScreenLight, SamplesOnlyWhileActiveAndKeepsTheGridOnAFailedCapture) {
  std::atomic<FakeScreenCapture*> fake{nullptr};
  ScreenLight light([&fake]() {
    auto capture = std::make_unique<FakeScreenCapture>();
    fake = capture.get();
    return capture;
  });
  EXPECT_FALSE(light.Start(Matrix(0, 21)));
  EXPECT_FALSE(light.IsRunning());
  ASSERT_TRUE(light.Start(Matrix(6, 21)));
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(fake, nullptr);  // nothing captured, nothing even opened, while inactive

  light.SetActive(true);
  ASSERT_TRUE(WaitFor([&] { return fake != nullptr; }));
  fake.load()->Show(std::vector<std::uint32_t>(64 * 36, 0x123456), 64, 36);
  const COLORREF shown = RGB(0x12, 0x34, 0x56);
  ASSERT_TRUE(WaitFor([&] { return light.Grid()[GridIndex(5, 20)] == shown; }));
  std::vector<KeyColour> colours;
  light.ColourKeys(Matrix(6, 21), colours);
  ASSERT_EQ(colours.size(), 6u * 21u);
  EXPECT_EQ(KeyAndColour(colours[5 * 21 + 17]), KeyAndColour(5 * 32 + 17, shown));

  fake.load()->Fail();
  const int before = fake.load()->Captures();
  ASSERT_TRUE(WaitFor([&] { return fake.load()->Captures() > before + 1; }));
  EXPECT_EQ(light.Grid()[GridIndex(5, 17)], shown);

  light.SetActive(false);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  const int idle = fake.load()->Captures();
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(fake.load()->Captures(), idle);
}

TEST(ScreenLight, MissingDisplayIsRetriedWhileActive) {
  std::atomic<int> attempts{0};
  ScreenLight light([&attempts]() -> std::unique_ptr<ScreenCapture> {
    ++attempts;
    return nullptr;
  });
  ASSERT_TRUE(light.Start(Matrix(6, 18)));
  light.SetActive(true);
  EXPECT_TRUE(WaitFor([&] { return attempts >= 1; }));
}

}  // namespace
}  // namespace lighting
