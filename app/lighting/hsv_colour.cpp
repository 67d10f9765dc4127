// Integer HSV conversion with 60-degree sectors.
#include "lighting/hsv_colour.h"

namespace lighting {

COLORREF HsvColour(int hue, int saturation, int value) {
  if (saturation == 0) return RGB(value, value, value);
  const int h = ((hue % 360) + 360) % 360;
  const int sector = h / 60;
  const int f = h % 60;
  const int p = value * (255 - saturation) / 255;
  const int q = value * (255 - saturation * f / 60) / 255;
  const int t = value * (255 - saturation * (60 - f) / 60) / 255;
  switch (sector) {
    case 0:
      return RGB(value, t, p);
    case 1:
      return RGB(q, value, p);
    case 2:
      return RGB(p, value, t);
    case 3:
      return RGB(p, q, value);
    case 4:
      return RGB(t, p, value);
    default:
      return RGB(value, p, q);
  }
}

}  // namespace lighting
