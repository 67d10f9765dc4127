// Choosing the stream's source and handing the frame to the lighting protocol.
#include "lighting/stream_step.h"

namespace lighting {

LightIndexLookup LayoutLightIndex(const KeyboardLayout& layout) {
  return [&layout](int key_code) { return layout.LedPositionOf(key_code); };
}

}  // namespace lighting

StreamStep::StreamStep(const Visualizer& music, const ScreenLight& screen)
    : m_music(music), m_screen(screen) {}

bool StreamStep::ColourKeys(int mask, const KeyboardLayout& layout) {
  if (mask & kMusicMask) {
    m_music.ColourKeys(layout, m_colours);
  } else if (mask & kScreenMask) {
    m_screen.ColourKeys(layout, m_colours);
  } else {
    m_colours.clear();
    return false;
  }
  return true;
}

bool StreamStep::SendFrame(int connection_mode, const KeyboardLayout& layout,
                           LightProtocol& protocol) const {
  if (connection_mode != 0 || !lighting::HasVisibleColour(m_colours)) return false;
  return protocol.SendStreamFrame(m_colours, lighting::LayoutLightIndex(layout));
}
