// The PulseAudio back end against a private server with a null sink: a tone
// played on the default output is captured and lights its bands; the capture
// follows a new default output and survives the server going away.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "lighting/music_level.h"
#include "lighting/visualizer.h"
#include "platform/audio_loopback.h"
#include "private_servers.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Done>
bool WaitFor(Done done, std::chrono::seconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

class PulseCapture : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!ProgramExists("pulseaudio") || !ProgramExists("pacat") || !ProgramExists("pactl")) return;
    s_pulse = new PrivatePulse();
    if (!s_pulse->Start()) {
      delete s_pulse;
      s_pulse = nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete s_pulse;
    s_pulse = nullptr;
  }
  void SetUp() override {
    if (!s_pulse)
      GTEST_SKIP() << "no private PulseAudio server (pulseaudio, pacat and pactl are needed)";
  }

  // Renders at the renderer's pace until band 128 lights (a 3 kHz tone) or time runs out.
  static bool ToneReachesTheBands(Visualizer& v) {
    return WaitFor(
        [&v] {
          v.RenderFrame();
          std::this_thread::sleep_for(std::chrono::milliseconds(15));
          return v.Spectrum().DisplayBands()[128] > 0.75f;
        },
        std::chrono::seconds(4));
  }

  static PrivatePulse* s_pulse;
};

PrivatePulse* PulseCapture::s_pulse = nullptr;

std::unique_ptr<AudioLoopback<float>> MakeLoopback(AudioLoopback<float>*& raw) {
  auto loopback = CreatePulseFloatLoopback("Tervane test");
  raw = loopback.get();
  return loopback;
}

// The spectrum path on the real back end, gain as a loaded music layer sets it.
struct MusicCapture {
  MusicCapture() {
    visualizer.SetGain(300);
    visualizer.SetMusicActive(true);
  }
  bool Capturing(bool state = true) {
    return WaitFor([&] { return capture->IsCapturing() == state; }, std::chrono::seconds(5));
  }
  AudioLoopback<float>* capture = nullptr;
  Visualizer visualizer{MakeLoopback(capture)};
};

TEST_F(PulseCapture, ToneOnTheDefaultOutputLightsItsBandsAndKeysWhileMusicIsShown) {
  MusicCapture music;
  Visualizer& v = music.visualizer;
  v.SetForeMode(1);
  v.SetBackMode(0);
  ASSERT_TRUE(music.Capturing());

  // Nothing plays: the null sink's monitor delivers silence.
  for (int frame = 0; frame < 10; ++frame) v.RenderFrame();
  EXPECT_EQ(v.Spectrum().DisplayBands()[128], 0.0f);

  // Paused (another light mode shown), the tone does not come through.
  v.SetMusicActive(false);
  auto tone = s_pulse->PlaySine(3000.0, 3.0);
  ASSERT_TRUE(tone);
  for (int frame = 0; frame < 20; ++frame) {
    v.RenderFrame();
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
  }
  EXPECT_EQ(v.Spectrum().DisplayBands()[128], 0.0f);
  v.SetMusicActive(true);
  ASSERT_TRUE(ToneReachesTheBands(v));
  const auto& bands = v.Spectrum().DisplayBands();
  // The onset and the server's resampling spread a little energy; far bands stay dark.
  for (int k = 0; k < 64; ++k) EXPECT_LT(bands[k], 0.1f) << "band " << k;

  KeyboardLayout matrix;
  matrix.row_count = 1;
  matrix.col_count = 32;
  for (int j = 0; j < 32; ++j) matrix.grid[0][j] = static_cast<BYTE>(4 + j);
  std::vector<KeyColour> keys;
  v.ColourKeys(matrix, keys);
  EXPECT_EQ(keys[18].rgb, RGB(254, 254, 254));  // picture column 126
  EXPECT_EQ(keys[2].rgb, 0u);                   // picture column 14
}

TEST_F(PulseCapture, LevelPathReadsSixteenBitSamples) {
  int loudest = 0;
  auto loopback = CreatePulsePcmLoopback("Tervane level test");
  AudioLoopback<std::int16_t>* capture = loopback.get();
  MusicLevelCapture levels(std::move(loopback),
                           [&loudest](int level) { loudest = std::max(loudest, level); });
  ASSERT_TRUE(WaitFor([&] { return capture->IsCapturing(); }, std::chrono::seconds(5)));
  for (int i = 0; i < 5; ++i) levels.Step();
  EXPECT_EQ(loudest, 0);

  // One sample per period is taken; 440 Hz does not divide the packet, so the
  // sampled phase wanders and some periods catch the peak (16384: level 64).
  auto tone = s_pulse->PlaySine(440.0, 2.0);
  ASSERT_TRUE(tone);
  EXPECT_TRUE(WaitFor(
      [&] {
        levels.Step();
        std::this_thread::sleep_for(std::chrono::milliseconds(33));
        return loudest > 20;
      },
      std::chrono::seconds(4)));
  EXPECT_LE(loudest, 65);
}

TEST_F(PulseCapture, FollowsANewDefaultOutput) {
  MusicCapture music;
  ASSERT_TRUE(music.Capturing());

  ASSERT_TRUE(s_pulse->Pactl({"load-module", "module-null-sink", "sink_name=second"}));
  ASSERT_TRUE(s_pulse->Pactl({"set-default-sink", "second"}));
  // The old stream is dropped and a new one opened on the new output's monitor.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(music.Capturing());
  auto tone = s_pulse->PlaySine(3000.0, 3.0);
  ASSERT_TRUE(tone);
  EXPECT_TRUE(ToneReachesTheBands(music.visualizer));
  tone.reset();
  s_pulse->Pactl({"set-default-sink", "null"});
}

TEST_F(PulseCapture, ReconnectsWhenTheServerComesBack) {
  MusicCapture music;
  ASSERT_TRUE(music.Capturing());

  s_pulse->Stop();
  ASSERT_TRUE(music.Capturing(false));
  music.visualizer.RenderFrame();  // the renderer carries on without a server
  ASSERT_TRUE(s_pulse->Start());
  ASSERT_TRUE(music.Capturing());
  auto tone = s_pulse->PlaySine(3000.0, 3.0);
  ASSERT_TRUE(tone);
  EXPECT_TRUE(ToneReachesTheBands(music.visualizer));
}

}  // namespace
