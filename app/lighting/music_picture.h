// The 256 x 64 picture the music renderer draws and keys are sampled from.
#pragma once

#include <array>

#include "QorUI/types.h"

namespace lighting {

constexpr int kPictureWidth = 256;
constexpr int kPictureHeight = 64;

// Row-major 0x00BBGGRR pixels; row 0 is the top (the level line), row 63 the bottom.
struct MusicPicture {
  std::array<COLORREF, kPictureWidth * kPictureHeight> pixels{};

  COLORREF At(int column, int row) const { return pixels[row * kPictureWidth + column]; }
  COLORREF& At(int column, int row) { return pixels[row * kPictureWidth + column]; }
};

// Bars over background: pixel (c, r) is the foreground's when display band c
// exceeds (64 - r) / 64, so row 0 always shows the background.
void ComposePicture(const std::array<float, kPictureWidth>& display, const MusicPicture& background,
                    const MusicPicture& foreground, MusicPicture& out);

}  // namespace lighting
