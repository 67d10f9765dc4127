// The music path end to end through the fake capture: packets in, key colours out.
#include "lighting/visualizer.h"

#include <gtest/gtest.h>

#include "key_and_colour.h"

#include <chrono>
#include <thread>

#include "platform/fake_audio_loopback.h"
#include "sine_packets.h"

namespace {

// One row of 32 columns: column j samples picture column j * 7.
KeyboardLayout OneRow() {
  KeyboardLayout matrix;
  matrix.row_count = 1;
  matrix.col_count = 32;
  for (int j = 0; j < 32; ++j) matrix.grid[0][j] = static_cast<BYTE>(j);
  return matrix;
}

struct MusicPath {
  MusicPath() {
    auto capture = std::make_unique<FakeAudioLoopback<float>>();
    fake = capture.get();
    visualizer = std::make_unique<Visualizer>(std::move(capture));
  }
  FakeAudioLoopback<float>* fake;
  std::unique_ptr<Visualizer> visualizer;
};

TEST(Visualizer, ToneColoursTheKeysOverItsBandsWithTheBars) {
  MusicPath path;
  Visualizer& v = *path.visualizer;
  MusicLayerRow layer;
  layer.fore_amplitude = 300;
  layer.foremode = 1;      // white bars
  layer.backmode = 2;      // over red
  layer.backb_right = 50;  // at half brightness
  v.ApplyMusicLayer(layer);
  EXPECT_EQ(path.fake->Reopens(), 1);
  SinePackets sine(3000.0, 0.5);
  for (int frame = 0; frame < 3; ++frame) {
    path.fake->Push(sine.Next());
    path.fake->Push(sine.Next());
    v.RenderFrame();
  }
  EXPECT_EQ(path.fake->Waiting(), 0u);

  std::vector<KeyColour> colours;
  v.ColourKeys(OneRow(), colours);
  ASSERT_EQ(colours.size(), 32u);
  // The single row samples picture row 33, lit when the band passes 31/64.
  const COLORREF bar = RGB(254, 254, 254);
  const COLORREF background = RGB(126, 0, 0);
  EXPECT_EQ(KeyAndColour(colours[18]), KeyAndColour(18, bar));  // picture column 126
  EXPECT_EQ(KeyAndColour(colours[19]), KeyAndColour(19, bar));  // 133
  EXPECT_EQ(colours[0].rgb, background);
  EXPECT_EQ(colours[31].rgb, background);
  EXPECT_TRUE(lighting::HasVisibleColour(colours));
}

TEST(Visualizer, SilenceLowersTheBarsUntilOnlyTheBackgroundShows) {
  MusicPath path;
  Visualizer& v = *path.visualizer;
  v.SetGain(300);
  v.SetBackMode(0);  // black: nothing worth sending once the bars are gone
  SinePackets sine(3000.0, 0.5);
  path.fake->Push(sine.Next());
  path.fake->Push(sine.Next());
  v.RenderFrame();
  std::vector<KeyColour> colours;
  v.ColourKeys(OneRow(), colours);
  EXPECT_TRUE(lighting::HasVisibleColour(colours));
  // Silent packets flush the ring within a frame; from then on the bars fall at
  // least by the decay each frame (smoothing only flattens the peak further).
  const std::vector<float> silence(AudioLoopback<float>::kPacketValues, 0.0f);
  for (int p = 0; p < 3; ++p) path.fake->Push(silence);
  float previous = v.Spectrum().DisplayBands()[130];
  for (int frame = 1; frame <= 5; ++frame) {
    path.fake->Push(silence);
    v.RenderFrame();
    const float now = v.Spectrum().DisplayBands()[130];
    EXPECT_LE(now, previous * 0.8f + 1e-6f) << "frame " << frame;
    previous = now;
  }
  for (int frame = 0; frame < 20; ++frame) v.RenderFrame();
  v.ColourKeys(OneRow(), colours);
  EXPECT_FALSE(lighting::HasVisibleColour(colours));
}

TEST(Visualizer, HueAdvancesEveryFrameAndWrapsAtAFullTurn) {
  MusicPath path;
  Visualizer& v = *path.visualizer;
  for (int frame = 0; frame < 72; ++frame) v.RenderFrame();
  EXPECT_FLOAT_EQ(v.Hue(), 360.0f);
  v.RenderFrame();  // drawn with hue 0, then advanced
  EXPECT_FLOAT_EQ(v.Hue(), 5.0f);
}

TEST(Visualizer, RendersOnItsThreadOnlyWhileMusicIsActive) {
  MusicPath path;
  Visualizer& v = *path.visualizer;
  v.StartMusic();
  EXPECT_EQ(path.fake->Reopens(), 1);  // source 0 opened
  v.OpenCapture(5);                    // past the list: source 0 again
  EXPECT_EQ(path.fake->Reopens(), 2);

  EXPECT_TRUE(path.fake->Paused()) << "nothing captured before music is shown";
  v.SetMusicActive(true);
  EXPECT_FALSE(path.fake->Paused());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (v.Hue() < 10.0f && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_GE(v.Hue(), 10.0f);
  v.SetMusicActive(false);
  EXPECT_TRUE(path.fake->Paused());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const float stopped = v.Hue();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(v.Hue(), stopped);
}

}  // namespace
