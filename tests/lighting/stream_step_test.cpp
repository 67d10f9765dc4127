// The stream step end to end on the simulated keyboard: music or screen colours
// reach the keyboard's stream buffer at each key's LED position.
#include "lighting/stream_step.h"

#include <gtest/gtest.h>

#include "device/sim_fixture.h"
#include "platform/fake_audio_loopback.h"
#include "platform/fake_screen_capture.h"
#include "sine_packets.h"

namespace {

// One row of 32 keys; key code 4 + j sits in column j and at LED position 100 - j.
KeyboardLayout OneRow() {
  KeyboardLayout layout;
  layout.row_count = 1;
  layout.col_count = 32;
  for (int j = 0; j < 32; ++j) {
    layout.grid[0][j] = static_cast<BYTE>(4 + j);
    layout.light_map[4 + j] = 100 - j;
  }
  return layout;
}

std::array<std::uint8_t, 3> StreamRgb(const KeyboardState& state, int position) {
  return {state.stream_colours[3 * position], state.stream_colours[3 * position + 1],
          state.stream_colours[3 * position + 2]};
}

std::unique_ptr<AudioLoopback<float>> MakeCapture(FakeAudioLoopback<float>*& raw) {
  auto capture = std::make_unique<FakeAudioLoopback<float>>();
  raw = capture.get();
  return capture;
}

// A family 1 keyboard on the simulator and the two sources, in construction order.
struct Rig {
  Rig() {
    keyboard = sim.AddFamily1();
    sim.Connect(101);
  }
  SimRig sim;
  int keyboard = 0;
  FakeAudioLoopback<float>* capture = nullptr;
  Visualizer music{MakeCapture(capture)};
  ScreenLight screen{nullptr};
  StreamStep step{music, screen};
  LightProtocol protocol{*sim.manager};
};

TEST(StreamStep, MusicBarsReachTheKeysLedPositions) {
  Rig rig;
  rig.music.SetGain(300);
  rig.music.SetForeMode(2);  // red bars
  rig.music.SetBackMode(7);  // over blue
  SinePackets sine(3000.0, 0.5);
  for (int frame = 0; frame < 3; ++frame) {
    rig.capture->Push(sine.Next());
    rig.capture->Push(sine.Next());
    rig.music.RenderFrame();
  }
  const KeyboardLayout layout = OneRow();
  ASSERT_TRUE(rig.step.ColourKeys(StreamStep::kMusicMask, layout));
  ASSERT_EQ(rig.step.Colours().size(), 32u);
  ASSERT_TRUE(rig.step.SendFrame(0, layout, rig.protocol));

  const KeyboardState state = rig.sim.sim->GetState(rig.keyboard);
  EXPECT_EQ(state.stream_frames, 1);
  EXPECT_EQ(StreamRgb(state, 100 - 18), (std::array<std::uint8_t, 3>{254, 0, 0}));  // over band 126
  EXPECT_EQ(StreamRgb(state, 100 - 0), (std::array<std::uint8_t, 3>{0, 0, 254}));
}

TEST(StreamStep, ScreenGridReachesTheKeysAndDarkOrOtherModesSendNothing) {
  Rig rig;
  FakeScreenCapture capture;
  const KeyboardLayout layout = OneRow();
  ASSERT_TRUE(rig.screen.Start(layout));

  // Red 1 is 1 as a key colour, below 2: the keys are coloured but no frame goes out.
  capture.Show(std::vector<std::uint32_t>(36 * 12, 0x010000), 36, 12);
  ASSERT_TRUE(rig.screen.SampleOnce(capture));
  ASSERT_TRUE(rig.step.ColourKeys(StreamStep::kScreenMask, layout));
  EXPECT_EQ(rig.step.Colours().size(), 32u);
  EXPECT_FALSE(rig.step.SendFrame(0, layout, rig.protocol));

  capture.Show(std::vector<std::uint32_t>(36 * 12, 0x203040), 36, 12);
  ASSERT_TRUE(rig.screen.SampleOnce(capture));
  ASSERT_TRUE(rig.step.ColourKeys(StreamStep::kScreenMask | 0x01, layout));
  EXPECT_FALSE(rig.step.SendFrame(1, layout, rig.protocol)) << "only connection mode 0 streams";
  ASSERT_TRUE(rig.step.SendFrame(0, layout, rig.protocol));
  const KeyboardState state = rig.sim.sim->GetState(rig.keyboard);
  EXPECT_EQ(state.stream_frames, 1);
  EXPECT_EQ(StreamRgb(state, 100), (std::array<std::uint8_t, 3>{0x20, 0x30, 0x40}));
  EXPECT_EQ(StreamRgb(state, 100 - 17), (std::array<std::uint8_t, 3>{0x20, 0x30, 0x40}));

  EXPECT_FALSE(rig.step.ColourKeys(0x04, layout));
  EXPECT_TRUE(rig.step.Colours().empty());
}

TEST(StreamStep, LayoutWithoutLightIndicesPutsEveryKeyAtPositionZero) {
  KeyboardLayout none = OneRow();
  none.light_map.clear();
  EXPECT_EQ(lighting::LayoutLightIndex(none)(7), 0);
  KeyboardLayout some = OneRow();
  some.light_map.erase(7);
  EXPECT_EQ(lighting::LayoutLightIndex(some)(7), std::nullopt) << "left out when others have one";
  EXPECT_EQ(lighting::LayoutLightIndex(some)(8), 96);
}

}  // namespace
