// Integer HSV to key-colour conversion used by the music patterns.
#pragma once

#include "QorUI/types.h"

namespace lighting {

// Hue in degrees (any non-negative value, reduced modulo 360), saturation and
// value 0..255; six 60-degree sectors with red at 0. Red lands in the low byte.
COLORREF HsvColour(int hue, int saturation, int value);

}  // namespace lighting
