// Byte building of the lighting commands.
#include "device/light_commands.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kLongHeader[] = {0xBB, 0xAA, 0x99, 0x88};
constexpr std::uint8_t kLongLight = 0xAA;
constexpr std::uint8_t kResetCode = 0xAA;
constexpr std::uint8_t kColorfulBit = 0x40;
constexpr std::uint8_t kUploadAlpha = 0xFF;
constexpr std::size_t kChunk = 60;
// The colour mode (m = 3) carries a colour in place of direction, speed and slot.
constexpr int kColourModeIndex = 3;
// Mode 9 takes its speed unreduced on the feature form.
constexpr int kUnreducedSpeedMode = 9;

int SelectedSlot(const LightRow& light, int selected_slot) {
  return (light.config_func & kConfigUsesCustomSlot) != 0 ? selected_slot : 0;
}

COLORREF Colour(const LightRow& light) {
  return static_cast<COLORREF>(light.color_value);
}

std::uint8_t Low(int v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}
int LessOne(int v) {
  return v != 0 ? v - 1 : 0;
}

ColourBuffer FillBuffer(const std::vector<KeyColour>& keys, const LightIndexLookup& index,
                        std::size_t stride) {
  ColourBuffer buffer{};
  for (const KeyColour& key : keys) {
    const std::optional<int> p = index(key.key_code);
    if (!p || *p < 0) continue;
    const std::size_t at = static_cast<std::size_t>(*p) * stride;
    if (at + stride > buffer.size()) continue;
    buffer[at] = GetRValue(key.rgb);
    buffer[at + 1] = GetGValue(key.rgb);
    buffer[at + 2] = GetBValue(key.rgb);
    if (stride == 4) buffer[at + 3] = kUploadAlpha;
  }
  return buffer;
}

std::vector<OutputReport> SplitBuffer(const ColourBuffer& buffer, std::uint8_t command,
                                      std::size_t reports, std::size_t last_length,
                                      bool last_carries_full_chunk) {
  std::vector<OutputReport> out;
  for (std::size_t i = 0; i < reports; ++i) {
    const bool last = i + 1 == reports;
    const std::size_t length = last ? last_length : kChunk;
    OutputReport r = MakeOutputReport(command);
    r[2] = static_cast<std::uint8_t>(length);
    r[3] = Low(static_cast<int>(kChunk * i));
    r[4] = static_cast<std::uint8_t>((kChunk * i) >> 8);
    const std::size_t carried = last && !last_carries_full_chunk ? length : kChunk;
    std::copy_n(buffer.begin() + kChunk * i, carried, r.begin() + 5);
    out.push_back(r);
  }
  return out;
}

}  // namespace

OutputReport BuildModeSelectReport(const LightRow& light) {
  OutputReport r = MakeOutputReport(kCmdModeSelect);
  r[3] = Low(light.mode);
  return r;
}

OutputReport BuildModeParametersReport(const LightRow& light) {
  OutputReport r = MakeOutputReport(kCmdModeParameters);
  r[3] = static_cast<std::uint8_t>(((light.direction & 3) << 4) |
                                   (light.colorful != 0 ? kColorfulBit : 0) | (light.speed & 0x0F));
  r[4] = GetRValue(Colour(light));
  r[5] = GetGValue(Colour(light));
  r[6] = GetBValue(Colour(light));
  r[7] = Low(light.brightness);
  return r;
}

FeatureReport BuildCustomSlotSelectReport(const LightRow& light, int selected_slot) {
  FeatureReport r = MakeFeatureReport(kCmdCustomSlotSelect);
  r[2] = 0xFF;
  r[3] = Low(light.mode - 1);
  r[4] = Low(light.brightness);
  r[5] = Low(light.speed);
  r[7] = Low(SelectedSlot(light, selected_slot));
  return r;
}

FeatureReport BuildFamily2LightFeature(const LightRow& light, int selected_slot) {
  const int m = light.mode - 1;
  FeatureReport r = MakeFeatureReport(kCmdFamily2Light);
  r[2] = Low(m);
  r[3] = Low(light.colorindex);
  r[4] = Low(light.direction);
  r[5] = Low(light.mode == kUnreducedSpeedMode ? light.speed : LessOne(light.speed));
  r[6] = Low(LessOne(light.brightness));
  r[7] = Low(SelectedSlot(light, selected_slot));
  if (m == kColourModeIndex) {
    r[4] = GetRValue(Colour(light));
    r[5] = GetGValue(Colour(light));
    r[7] = GetBValue(Colour(light));
  }
  return r;
}

LongPayload BuildFamily2LightLong(const LightRow& light, int selected_slot) {
  const int m = light.mode - 1;
  LongPayload p{};
  std::copy(std::begin(kLongHeader), std::end(kLongHeader), p.begin());
  p[4] = kLongLight;
  p[5] = Low(m);
  p[6] = Low(light.colorindex);
  p[7] = Low(light.direction);
  p[8] = Low(LessOne(light.speed));
  p[9] = Low(LessOne(light.brightness));
  p[10] = Low(SelectedSlot(light, selected_slot));
  if (m == kColourModeIndex) {
    p[7] = GetRValue(Colour(light));
    p[8] = GetGValue(Colour(light));
    p[10] = GetBValue(Colour(light));
  }
  return p;
}

ColourBuffer FillUploadBuffer(const std::vector<KeyColour>& keys, const LightIndexLookup& index) {
  return FillBuffer(keys, index, 4);
}

ColourBuffer FillStreamBuffer(const std::vector<KeyColour>& keys, const LightIndexLookup& index) {
  return FillBuffer(keys, index, 3);
}

std::vector<OutputReport> SplitUploadBuffer(const ColourBuffer& buffer) {
  // The last report carries only its 20 declared bytes: positions from 110 on are not sent.
  return SplitBuffer(buffer, kCmdCustomColours, kUploadReports, 20, false);
}

std::vector<OutputReport> SplitStreamBuffer(const ColourBuffer& buffer) {
  return SplitBuffer(buffer, kCmdStreamFrame, kStreamReports, 30, true);
}

OutputReport BuildStreamStartReport() {
  OutputReport r = MakeOutputReport(kCmdStreamStart);
  r[2] = 0xF4;
  r[3] = 0x01;
  return r;
}

std::uint8_t MusicLevelByte(int audio_level, int sensitivity_position) {
  const double product = audio_level * (sensitivity_position / 50.0);
  if (product <= 0) return 0;
  return static_cast<std::uint8_t>(std::min(255.0, product));
}

FeatureReport BuildMusicLevelReport(int effect, int colour_index, std::uint8_t level) {
  FeatureReport r = MakeFeatureReport(kCmdMusicLevel);
  r[2] = 0x45;
  r[3] = 0x67;
  r[4] = 0x89;
  r[5] = Low(effect);
  r[6] = Low(colour_index);
  r[7] = level;
  return r;
}

OutputReport BuildFamily1ResetReport() {
  OutputReport r = MakeOutputReport(kCmdFamily1Reset);
  r[2] = 0xFE;
  r[3] = kResetCode;
  r[4] = 0xFF;
  return r;
}

FeatureReport BuildFamily2ResetFeature() {
  FeatureReport r = MakeFeatureReport(kCmdFamily2Reset);
  r[2] = kResetCode;
  return r;
}

LongPayload BuildFamily2ResetLong(bool first) {
  LongPayload p{};
  std::copy(std::begin(kLongHeader), std::end(kLongHeader), p.begin());
  if (first) std::fill(p.begin() + 4, p.begin() + 10, kResetCode);
  return p;
}
