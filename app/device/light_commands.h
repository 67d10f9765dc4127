// Byte building of every lighting command of both command families: mode and
// parameters, the custom slot select, the per-key colour buffers and the
// reports cut from them, the stream start, the music level and the resets.
// Pure: values in, reports out.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QorUI/types.h>

#include "device/reports.h"
#include "store/store_rows.h"

inline constexpr std::uint8_t kCmdModeSelect = 0x88;
inline constexpr std::uint8_t kCmdModeParameters = 0x89;
inline constexpr std::uint8_t kCmdCustomColours = 0x8B;
inline constexpr std::uint8_t kCmdCustomSlotSelect = 0xFF;
inline constexpr std::uint8_t kCmdStreamStart = 0xF0;
inline constexpr std::uint8_t kCmdStreamFrame = 0xF1;
inline constexpr std::uint8_t kCmdFamily1Reset = 0xFF;
inline constexpr std::uint8_t kCmdFamily2Light = 0xF7;
inline constexpr std::uint8_t kCmdFamily2Reset = 0xF0;
inline constexpr std::uint8_t kCmdMusicLevel = 0x23;

// The config_func bit that makes a mode use the selected custom slot.
inline constexpr int kConfigUsesCustomSlot = 0x100;

inline constexpr std::size_t kColourBufferSize = 600;
inline constexpr std::size_t kUploadReports = 8;
inline constexpr std::size_t kStreamReports = 6;
inline constexpr std::size_t kUploadPositions = 110;
inline constexpr std::size_t kStreamPositions = 120;

using ColourBuffer = std::array<std::uint8_t, kColourBufferSize>;

struct KeyColour {
  int key_code = 0;
  COLORREF rgb = 0;
};

// The key's LED position (`light_index`); none leaves the key out.
using LightIndexLookup = std::function<std::optional<int>(int key_code)>;

OutputReport BuildModeSelectReport(const LightRow& light);
OutputReport BuildModeParametersReport(const LightRow& light);
// `selected_slot` (0-2) is used only when the mode's config_func asks for it.
FeatureReport BuildCustomSlotSelectReport(const LightRow& light, int selected_slot);
FeatureReport BuildFamily2LightFeature(const LightRow& light, int selected_slot);
LongPayload BuildFamily2LightLong(const LightRow& light, int selected_slot);

// Upload buffer: R, G, B, 0xFF per position. Stream buffer: R, G, B per position.
ColourBuffer FillUploadBuffer(const std::vector<KeyColour>& keys, const LightIndexLookup& index);
ColourBuffer FillStreamBuffer(const std::vector<KeyColour>& keys, const LightIndexLookup& index);
std::vector<OutputReport> SplitUploadBuffer(const ColourBuffer& buffer);
std::vector<OutputReport> SplitStreamBuffer(const ColourBuffer& buffer);

OutputReport BuildStreamStartReport();
// The level byte: min(255, trunc(audio level x slider position / 50)).
std::uint8_t MusicLevelByte(int audio_level, int sensitivity_position);
FeatureReport BuildMusicLevelReport(int effect, int colour_index, std::uint8_t level);

OutputReport BuildFamily1ResetReport();
FeatureReport BuildFamily2ResetFeature();
// The first of the two long reset reports carries the reset code, the second only the header.
LongPayload BuildFamily2ResetLong(bool first);
