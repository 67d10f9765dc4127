// Composition of the music picture from its two layers.
#include "lighting/music_picture.h"

namespace lighting {

void ComposePicture(const std::array<float, kPictureWidth>& display, const MusicPicture& background,
                    const MusicPicture& foreground, MusicPicture& out) {
  for (int r = 0; r < kPictureHeight; ++r) {
    const float threshold = static_cast<float>(kPictureHeight - r) / 64.0f;
    for (int c = 0; c < kPictureWidth; ++c) {
      out.At(c, r) = display[c] > threshold ? foreground.At(c, r) : background.At(c, r);
    }
  }
}

}  // namespace lighting
