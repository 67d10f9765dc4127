// The worker's stream step of music and screen lighting: the keys' colours from
// the active source, then a stream frame to the keyboard when one is worth it.
#pragma once

#include <vector>

#include "device/light_commands.h"
#include "device/light_protocol.h"
#include "keys/keyboard_layout.h"
#include "lighting/screen_light.h"
#include "lighting/visualizer.h"

namespace lighting {

// The LED position of a key for per-key frames: its light index; in a layout
// that gives no light index at all, every key sits at position 0.
LightIndexLookup LayoutLightIndex(const KeyboardLayout& layout);

}  // namespace lighting

class StreamStep {
 public:
  static constexpr int kMusicMask = 0x200;
  static constexpr int kScreenMask = 0x400;

  StreamStep(const Visualizer& music, const ScreenLight& screen);

  // Colours every key of the layout's matrix from the published music picture
  // (mask 0x200) or the screen grid (0x400). False, with no colours, for a mask
  // with neither. The worker hands Colours() to the light page's picture next.
  bool ColourKeys(int mask, const KeyboardLayout& layout);
  const std::vector<KeyColour>& Colours() const { return m_colours; }

  // Sends the colours as a stream frame when the connection mode is 0 and some
  // colour is 2 or more; true when a frame went out.
  bool SendFrame(int connection_mode, const KeyboardLayout& layout, LightProtocol& protocol) const;

 private:
  const Visualizer& m_music;
  const ScreenLight& m_screen;
  std::vector<KeyColour> m_colours;  // reused every step
};
