// The X11 back end against Xvfb: a picture of 18 x 6 coloured blocks on a
// 1920 x 1080 screen gives the same 18 x 6 grid, with and without MIT-SHM.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "lighting/screen_light.h"
#include "platform/screen_capture.h"
#include "private_servers.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Block (c, r) is red c * 14, green r * 40, blue 255 - c * 14 - r * 10.
COLORREF BlockColour(int c, int r) {
  return RGB(c * 14, r * 40, 255 - c * 14 - r * 10);
}

std::filesystem::path WriteBlocks() {
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("tervane-blocks-" + std::to_string(getpid()) + ".ppm");
  std::ofstream out(file, std::ios::binary);
  out << "P6 " << kWidth << " " << kHeight << " 255\n";
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const COLORREF c = BlockColour(x * 18 / kWidth, y * 6 / kHeight);
      const char rgb[3] = {static_cast<char>(GetRValue(c)), static_cast<char>(GetGValue(c)),
                           static_cast<char>(GetBValue(c))};
      out.write(rgb, 3);
    }
  }
  return file;
}

class X11Capture : public testing::TestWithParam<X11SharedMemory> {
 protected:
  static void SetUpTestSuite() {
    if (!ProgramExists("Xvfb") || !ProgramExists("display")) return;
    s_xvfb = new PrivateXvfb();
    if (!s_xvfb->Start(kWidth, kHeight)) {
      delete s_xvfb;
      s_xvfb = nullptr;
      return;
    }
    const std::filesystem::path blocks = WriteBlocks();
    s_xvfb->ShowPicture(blocks);
    std::filesystem::remove(blocks);
  }
  static void TearDownTestSuite() {
    delete s_xvfb;
    s_xvfb = nullptr;
  }
  void SetUp() override {
    if (!s_xvfb) GTEST_SKIP() << "no Xvfb screen (Xvfb and ImageMagick's display are needed)";
  }
  static PrivateXvfb* s_xvfb;
};

PrivateXvfb* X11Capture::s_xvfb = nullptr;

TEST_P(X11Capture, BlocksOnTheScreenGiveTheirGrid) {
  std::unique_ptr<ScreenCapture> capture = CreateX11ScreenCapture(GetParam());
  ASSERT_TRUE(capture);
  const std::optional<ScreenPixels> screen = capture->Capture();
  ASSERT_TRUE(screen);
  EXPECT_EQ(screen->width, kWidth);
  EXPECT_EQ(screen->height, kHeight);
  EXPECT_EQ(screen->At(5, 5) & 0xFFFFFF, 0x0000FFu);  // block (0, 0): pure blue

  ScreenLight light(nullptr);
  KeyboardLayout matrix;
  matrix.row_count = 6;
  matrix.col_count = 18;
  ASSERT_TRUE(light.Start(matrix));
  ASSERT_TRUE(light.SampleOnce(*capture));
  const lighting::ScreenGrid grid = light.Grid();
  for (int c = 0; c < 18; ++c) {
    for (int r = 0; r < 6; ++r) {
      SCOPED_TRACE(testing::Message() << "cell " << c << "," << r);
      const COLORREF got = grid[lighting::GridIndex(r, c)];
      const COLORREF want = BlockColour(c, r);
      // Block edges fall inside reduced pixels, so neighbours bleed in slightly.
      EXPECT_NEAR(GetRValue(got), GetRValue(want), 2);
      EXPECT_NEAR(GetGValue(got), GetGValue(want), 3);
      EXPECT_NEAR(GetBValue(got), GetBValue(want), 3);
    }
  }
  // A second capture reuses the shared segment.
  EXPECT_TRUE(light.SampleOnce(*capture));
}

INSTANTIATE_TEST_SUITE_P(SharedMemoryOrNot, X11Capture,
                         testing::Values(X11SharedMemory::kUseWhenPresent, X11SharedMemory::kNever),
                         [](const testing::TestParamInfo<X11SharedMemory>& info) {
                           return info.param == X11SharedMemory::kNever ? "PlainGetImage" : "Shm";
                         });

}  // namespace
