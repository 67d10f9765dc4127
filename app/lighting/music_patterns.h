// Draws the background and bar patterns of music lighting into a picture.
#pragma once

#include <array>
#include <cstdint>

#include "lighting/music_picture.h"

namespace lighting {

constexpr int kPatternCount = 21;

// Brightness percent to the pattern value: trunc(a * 2.55) computed exactly, so
// 100 % gives 255 and 50 % gives 127.
int PatternValue(int brightness_percent);

// Paints whole pictures; keeps the per-pixel angle tables of the hue circles so
// a frame costs table look-ups only. Allocates nothing after construction.
class PatternPainter {
 public:
  PatternPainter();

  // Patterns outside 0..20 (a damaged stored value) paint black.
  void Draw(MusicPicture& picture, int pattern, int brightness_percent, float hue);

 private:
  void FillHsvTable(int hue, int value);
  void DrawHueCircle(MusicPicture& picture,
                     const std::array<std::uint16_t, kPictureWidth * kPictureHeight>& angles,
                     int hue, int value);

  std::array<std::uint16_t, kPictureWidth * kPictureHeight> m_circle_top{};
  std::array<std::uint16_t, kPictureWidth * kPictureHeight> m_circle_bottom{};
  std::array<COLORREF, 360> m_hsv{};
};

// The moving-wave colour of a picture column.
COLORREF WaveColour(int column, float hue, int value);

}  // namespace lighting
