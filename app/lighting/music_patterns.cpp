// The 21 music patterns: solid colours, stripes, wave, hue sweep, hue circles.
#include "lighting/music_patterns.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "lighting/hsv_colour.h"

namespace lighting {
namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

constexpr std::array<COLORREF, 9> kSolid = {0,      kWhite, kRed,  16639,   kYellow,
                                            kGreen, kCyan,  kBlue, 16711744};

constexpr std::array<COLORREF, 3> kStripes9 = {kGreen, kYellow, kRed};
constexpr std::array<COLORREF, 3> kStripes10 = {kGreen, kWhite, kRed};
constexpr std::array<COLORREF, 3> kStripes11 = {kBlue, kCyan, kWhite};
constexpr std::array<COLORREF, 3> kStripes12 = {kRed, kWhite, kBlue};
constexpr std::array<COLORREF, 6> kStripes13 = {kRed, kYellow, kGreen, kCyan, kBlue, kMagenta};
constexpr std::array<COLORREF, 6> kStripes14 = {kMagenta, kBlue, kCyan, kGreen, kYellow, kRed};

constexpr double kDegreesPerRadian = 57.295827908797776;
constexpr double kThirdTurn = 2.0933335;

COLORREF Scale(COLORREF c, int value) {
  return RGB(GetRValue(c) * value / 256, GetGValue(c) * value / 256, GetBValue(c) * value / 256);
}

void Fill(MusicPicture& picture, COLORREF colour) {
  std::fill(picture.pixels.begin(), picture.pixels.end(), colour);
}

void FillRow(MusicPicture& picture, int row, COLORREF colour) {
  auto begin = picture.pixels.begin() + row * kPictureWidth;
  std::fill(begin, begin + kPictureWidth, colour);
}

void FillColumn(MusicPicture& picture, int column, COLORREF colour) {
  for (int r = 0; r < kPictureHeight; ++r) picture.At(column, r) = colour;
}

// The first colour sits at the bottom row; row 0, which no key samples, repeats row 1.
void DrawStripes(MusicPicture& picture, std::span<const COLORREF> colours, int value) {
  const int n = static_cast<int>(colours.size());
  for (int r = 0; r < kPictureHeight; ++r) {
    const int row = std::max(r, 1);
    // trunc(n - n*r/63) in integers: n - ceil(n*r/63).
    const int index = n - (n * row + 62) / 63;
    FillRow(picture, r, Scale(colours[std::clamp(index, 0, n - 1)], value));
  }
}

void BuildAngleTable(std::array<std::uint16_t, kPictureWidth * kPictureHeight>& table,
                     int centre_row) {
  for (int r = 0; r < kPictureHeight; ++r) {
    for (int c = 0; c < kPictureWidth; ++c) {
      const double degrees = std::atan2(r - centre_row, c - 128) * kDegreesPerRadian + 180.0;
      table[r * kPictureWidth + c] = static_cast<std::uint16_t>(static_cast<int>(degrees) % 360);
    }
  }
}

}  // namespace

int PatternValue(int brightness_percent) {
  return brightness_percent * 255 / 100;
}

COLORREF WaveColour(int column, float hue, int value) {
  const int degrees = static_cast<int>(static_cast<float>(column) * 1.4117647f - hue) % 360;
  const double t = (degrees / 360.0) * 2.0 * 3.14;
  const auto channel = [value](double angle) {
    return value * static_cast<int>((std::sin(angle) + 1.0) * 127.0) / 256;
  };
  return RGB(channel(t), channel(t - kThirdTurn), channel(t + kThirdTurn));
}

PatternPainter::PatternPainter() {
  BuildAngleTable(m_circle_top, 32);
  BuildAngleTable(m_circle_bottom, 64);
}

void PatternPainter::FillHsvTable(int hue, int value) {
  for (int h = 0; h < 360; ++h) m_hsv[h] = HsvColour(h + hue, 255, value);
}

void PatternPainter::DrawHueCircle(
    MusicPicture& picture, const std::array<std::uint16_t, kPictureWidth * kPictureHeight>& angles,
    int hue, int value) {
  FillHsvTable(hue, value);
  for (std::size_t i = 0; i < angles.size(); ++i) picture.pixels[i] = m_hsv[angles[i]];
}

void PatternPainter::Draw(MusicPicture& picture, int pattern, int brightness_percent, float hue) {
  const int value = PatternValue(brightness_percent);
  const int whole_hue = static_cast<int>(hue);
  switch (pattern) {
    case 9:
      return DrawStripes(picture, kStripes9, value);
    case 10:
      return DrawStripes(picture, kStripes10, value);
    case 11:
      return DrawStripes(picture, kStripes11, value);
    case 12:
      return DrawStripes(picture, kStripes12, value);
    case 13:
      return DrawStripes(picture, kStripes13, value);
    case 14:
      return DrawStripes(picture, kStripes14, value);
    case 15:
      for (int c = 0; c < kPictureWidth; ++c) FillColumn(picture, c, WaveColour(c, hue, value));
      return;
    case 16:
      for (int c = 0; c < kPictureWidth; ++c) {
        FillColumn(picture, c, HsvColour((256 - c + whole_hue) % 360, 255, value));
      }
      return;
    case 17:
      return DrawHueCircle(picture, m_circle_top, whole_hue, value);
    case 18:
      return DrawHueCircle(picture, m_circle_bottom, whole_hue, value);
    case 19:
      return Fill(picture, HsvColour(whole_hue, 255, value));
    case 20:
      return Fill(picture, WaveColour(1, hue, value));
    default:
      if (pattern >= 0 && pattern < static_cast<int>(kSolid.size())) {
        return Fill(picture, Scale(kSolid[pattern], value));
      }
      return Fill(picture, 0);
  }
}

}  // namespace lighting
