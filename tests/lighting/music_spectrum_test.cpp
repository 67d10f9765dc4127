// Music analysis: decay, where a tone's energy lands, smoothing rules.
#include "lighting/music_spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "sine_packets.h"

namespace lighting {
namespace {

float Peak(const std::array<float, kBandCount>& b, int first, int last) {
  return *std::max_element(b.begin() + first, b.begin() + last + 1);
}

TEST(MusicSpectrum, SilenceLetsEveryBandFallByAFifthPerFrame) {
  MusicSpectrum spectrum;
  spectrum.MutableBands().fill(0.5f);
  for (float expected : {0.4f, 0.32f, 0.256f}) {
    spectrum.Decay();
    spectrum.Transform();
    for (int k : {0, 7, 100, 248, 255}) {
      EXPECT_NEAR(spectrum.Bands()[k], expected, 1e-6f) << "band " << k;
      EXPECT_NEAR(spectrum.DisplayBands()[k], expected, 1e-6f) << "band " << k;
    }
  }
}

TEST(MusicSpectrum, ToneLightsTheBandsOfItsFrequency) {
  // Four values (two stereo frames) make one sample and each sample fills two
  // FFT points, so a bin is 93.75 Hz wide and bin k feeds bands 4k..4k+3.
  // Only the first half of each 10 ms packet is read, which widens some tones.
  struct Case {
    double hz;
    int lit;         // band of the tone
    int dark_below;  // bands below this stay dark
    int dark_above;  // and above this
  };
  const Case cases[] = {{500.0, 21, 0, 100}, {3000.0, 128, 96, 192}, {4500.0, 192, 80, 256}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hz);
    MusicSpectrum spectrum;
    spectrum.SetGain(300.0f);
    SinePackets sine(c.hz, 0.5);
    for (int frame = 0; frame < 4; ++frame) {
      spectrum.Decay();
      for (int p = 0; p < 2; ++p) {
        const std::vector<float> packet = sine.Next();
        spectrum.AddPacket(packet, AudioLoopback<float>::kPacketFrames);
      }
      spectrum.Transform();
    }
    const auto& bands = spectrum.Bands();
    EXPECT_GT(bands[c.lit], 0.75f);
    const float below = c.dark_below > 0 ? Peak(bands, 0, c.dark_below - 1) : 0.0f;
    const float above =
        c.dark_above < kBandCount ? Peak(bands, c.dark_above, kBandCount - 1) : 0.0f;
    EXPECT_LT(below, 0.05f);
    EXPECT_LT(above, 0.05f);
  }
}

TEST(MusicSpectrum, QuietInputStaysDarkAndGainBringsItUp) {
  MusicSpectrum spectrum;
  SinePackets sine(3000.0, 0.002);
  for (float gain : {270.0f, 30000.0f}) {
    spectrum.Clear();
    spectrum.SetGain(gain);
    for (int p = 0; p < 4; ++p) {
      const std::vector<float> packet = sine.Next();
      spectrum.AddPacket(packet, AudioLoopback<float>::kPacketFrames);
    }
    spectrum.Transform();
    if (gain < 1000.0f) {
      EXPECT_EQ(Peak(spectrum.Bands(), 0, kBandCount - 1), 0.0f);
    } else {
      EXPECT_GT(spectrum.Bands()[128], 0.5f);
    }
  }
}

TEST(MusicSpectrum, MovingAverageTakesEdgeMeansFirstThenRunsInPlace) {
  MusicSpectrum spectrum;
  // Band 0 lit: bin 0 spreads it over bands 0..3 before smoothing.
  spectrum.MutableBands()[0] = 1.0f;
  spectrum.Transform();
  const auto& b = spectrum.Bands();
  EXPECT_FLOAT_EQ(b[0], 4.0f / 9.0f);   // mean of bands 0..8
  EXPECT_FLOAT_EQ(b[7], 4.0f / 16.0f);  // mean of bands 0..15
  // Band 8 is the first in-place one: it sees the smoothed bands 0..7.
  float left = 0.0f;
  for (int i = 0; i < 8; ++i) left += 4.0f / static_cast<float>(9 + i);
  EXPECT_NEAR(b[8], left / 17.0f, 1e-6f);
  EXPECT_FLOAT_EQ(b[255], 0.0f);
}

TEST(MusicSpectrum, BlockAverageReplacesEachGroupByItsMean) {
  MusicSpectrum spectrum;
  spectrum.SetSmoothing(SpectrumSmoothing::kBlockAverage, 8);
  spectrum.MutableBands()[8] = 1.0f;  // bands 8..11 lit: half of the group 8..15
  spectrum.Transform();
  const auto& b = spectrum.Bands();
  for (int k = 8; k < 16; ++k) EXPECT_FLOAT_EQ(b[k], 0.5f) << k;
  EXPECT_FLOAT_EQ(b[7], 0.0f);
  EXPECT_FLOAT_EQ(b[16], 0.0f);
}

}  // namespace
}  // namespace lighting
