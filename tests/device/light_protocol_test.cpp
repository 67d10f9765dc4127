// Lighting commands of both command families: report bytes against the tables,
// the colour buffers' edges, the stream start rule and the reset sequences.
#include <gtest/gtest.h>

#include "device/light_protocol.h"
#include "tests/device/sim_fixture.h"

namespace {

LightRow Light(int mode, int brightness, int speed, int direction, int colorful, COLORREF colour,
               int colorindex = 0, int config_func = 0) {
  LightRow l;
  l.mode = mode;
  l.brightness = brightness;
  l.speed = speed;
  l.direction = direction;
  l.colorful = colorful;
  l.color_value = static_cast<int>(colour);
  l.colorindex = colorindex;
  l.config_func = config_func;
  return l;
}

std::vector<std::uint8_t> Head(const OutputReport& r, std::size_t n) {
  return {r.begin(), r.begin() + n};
}

bool ZeroFrom(const OutputReport& r, std::size_t from) {
  return std::all_of(r.begin() + from, r.end(), [](auto b) { return b == 0; });
}

TEST(LightCommands, Family1ModeAndParameters) {
  const LightRow l = Light(7, 4, 5, 2, 1, RGB(0x30, 0x20, 0x10));
  const OutputReport params = BuildModeParametersReport(l);
  EXPECT_EQ(Head(params, 8),
            (std::vector<std::uint8_t>{0x00, 0x89, 0x00, 0x65, 0x30, 0x20, 0x10, 0x04}));
  EXPECT_TRUE(ZeroFrom(params, 8));
  const OutputReport select = BuildModeSelectReport(Light(0x107, 0, 0, 0, 0, 0));
  EXPECT_EQ(Head(select, 4), (std::vector<std::uint8_t>{0x00, 0x88, 0x00, 0x07}));
  EXPECT_TRUE(ZeroFrom(select, 4));

  EXPECT_EQ(BuildCustomSlotSelectReport(Light(11, 3, 2, 0, 0, 0, 0, 0x100), 2),
            (FeatureReport{0x07, 0xFF, 0xFF, 10, 3, 2, 0, 2}));
  EXPECT_EQ(BuildCustomSlotSelectReport(Light(11, 3, 2, 0, 0, 0, 0, 0x004), 2)[7], 0)
      << "the slot only for modes that use it";
}

TEST(LightCommands, Family2LightCommand) {
  struct Case {
    const char* name;
    LightRow light;
    int slot;
    FeatureReport feature;
    std::vector<std::uint8_t> long_bytes;  // payload bytes 4-10
  };
  const COLORREF colour = RGB(0xA1, 0xB2, 0xC3);
  const Case cases[] = {
      {"plain",
       Light(2, 5, 3, 1, 0, colour, 4),
       1,
       {0x07, 0xF7, 1, 4, 1, 2, 4, 0},
       {0xAA, 1, 4, 1, 2, 4, 0}},
      {"speed and brightness 0 stay 0",
       Light(1, 0, 0, 0, 0, colour, 0),
       0,
       {0x07, 0xF7, 0, 0, 0, 0, 0, 0},
       {0xAA, 0, 0, 0, 0, 0, 0}},
      {"mode 4 carries the colour",
       Light(4, 3, 5, 2, 0, colour, 6, 0x100),
       2,
       {0x07, 0xF7, 3, 6, 0xA1, 0xB2, 2, 0xC3},
       {0xAA, 3, 6, 0xA1, 0xB2, 2, 0xC3}},
      {"mode 9 speed unreduced on the feature form",
       Light(9, 2, 4, 0, 0, colour, 1),
       0,
       {0x07, 0xF7, 8, 1, 0, 4, 1, 0},
       {0xAA, 8, 1, 0, 3, 1, 0}},
      {"the custom slot when config_func asks",
       Light(10, 1, 1, 0, 0, colour, 0, 0x100),
       2,
       {0x07, 0xF7, 9, 0, 0, 0, 0, 2},
       {0xAA, 9, 0, 0, 0, 0, 2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildFamily2LightFeature(c.light, c.slot), c.feature) << c.name;
    const LongPayload p = BuildFamily2LightLong(c.light, c.slot);
    EXPECT_EQ((std::vector<std::uint8_t>(p.begin(), p.begin() + 4)),
              (std::vector<std::uint8_t>{0xBB, 0xAA, 0x99, 0x88}));
    EXPECT_EQ((std::vector<std::uint8_t>(p.begin() + 4, p.begin() + 11)), c.long_bytes) << c.name;
    EXPECT_TRUE(std::all_of(p.begin() + 11, p.end(), [](auto b) { return b == 0; })) << c.name;
  }
}

TEST(LightCommands, ColourBufferEdges) {
  const LightIndexLookup index = [](int key) -> std::optional<int> {
    if (key == 0x99) return std::nullopt;
    return key;  // the key code doubles as its position here
  };
  const COLORREF c = RGB(0x11, 0x22, 0x33);
  const std::vector<KeyColour> keys = {{109, c}, {110, c}, {119, c}, {150, c}, {0x99, c}};

  const std::vector<OutputReport> upload = SplitUploadBuffer(FillUploadBuffer(keys, index));
  ASSERT_EQ(upload.size(), 8u);
  // Position 109 is bytes 436-439: the last 4 of the 20 the eighth report carries.
  EXPECT_EQ(Head(upload[7], 5), (std::vector<std::uint8_t>{0x00, 0x8B, 20, 0xA4, 0x01}));
  EXPECT_EQ((std::vector<std::uint8_t>(upload[7].begin() + 21, upload[7].begin() + 25)),
            (std::vector<std::uint8_t>{0x11, 0x22, 0x33, 0xFF}));
  EXPECT_TRUE(ZeroFrom(upload[7], 25)) << "position 110 is not sent";
  for (int i = 0; i < 7; ++i) EXPECT_EQ(upload[i][2], 60);

  const ColourBuffer stream_buffer = FillStreamBuffer(keys, index);
  const std::vector<OutputReport> stream = SplitStreamBuffer(stream_buffer);
  ASSERT_EQ(stream.size(), 6u);
  EXPECT_EQ(Head(stream[5], 5), (std::vector<std::uint8_t>{0x00, 0xF1, 30, 0x2C, 0x01}));
  // Position 119 (bytes 357-359) is carried although the length byte says 30.
  EXPECT_EQ((std::vector<std::uint8_t>(stream[5].begin() + 62, stream[5].end())),
            (std::vector<std::uint8_t>{0x11, 0x22, 0x33}));
  EXPECT_EQ(stream_buffer[450], 0x11) << "position 150 is in the buffer, beyond what is sent";

  // Positions whose bytes would lie beyond the 600-byte buffer are left out.
  const ColourBuffer edge = FillUploadBuffer({{149, c}, {150, c}}, index);
  EXPECT_EQ(edge[599], 0xFF);
  EXPECT_EQ(FillStreamBuffer({{199, c}, {200, c}}, index)[599], 0x33);
}

TEST(LightCommands, MusicLevelAndResets) {
  EXPECT_EQ(MusicLevelByte(128, 50), 128);
  EXPECT_EQ(MusicLevelByte(100, 75), 150);
  EXPECT_EQ(MusicLevelByte(128, 150), 255);
  EXPECT_EQ(MusicLevelByte(3, 33), 1) << "truncated";
  EXPECT_EQ(MusicLevelByte(0, 100), 0);
  EXPECT_EQ(BuildMusicLevelReport(2, 5, 200),
            (FeatureReport{0x07, 0x23, 0x45, 0x67, 0x89, 2, 5, 200}));
  EXPECT_EQ(BuildFamily2ResetFeature(), (FeatureReport{0x07, 0xF0, 0xAA, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Head(BuildFamily1ResetReport(), 6),
            (std::vector<std::uint8_t>{0x00, 0xFF, 0xFE, 0xAA, 0xFF, 0x00}));
}

TEST(LightProtocol, Family1SendsAndTheKeyboardFollows) {
  SimRig rig;
  const int kb = rig.AddFamily1();
  rig.Connect(101);
  LightProtocol light(*rig.manager);
  const LightRow l = Light(7, 4, 5, 2, 1, RGB(0x30, 0x20, 0x10));
  light.SendLightMode(101, 0, l, 0, false);
  light.SendLightMode(101, 0, l, 0, true);
  KeyboardState state = rig.sim->GetState(kb);
  EXPECT_EQ(state.mode, 7);
  EXPECT_EQ(state.speed, 5);
  EXPECT_EQ(state.direction, 2);
  EXPECT_EQ(state.rgb, (std::array<std::uint8_t, 3>{0x30, 0x20, 0x10}));

  const LightIndexLookup index = [](int key) -> std::optional<int> { return key - 0x04; };
  ASSERT_TRUE(light.UploadCustomColours(
      {KeyLight(0x04, RGB(1, 2, 3)), KeyLight(0x05, RGB(4, 5, 6))}, index));
  state = rig.sim->GetState(kb);
  EXPECT_EQ(
      (std::vector<std::uint8_t>(state.custom_colours.begin(), state.custom_colours.begin() + 8)),
      (std::vector<std::uint8_t>{1, 2, 3, 0xFF, 4, 5, 6, 0xFF}));

  // The stream start goes out before the first frame of the run only.
  rig.sim->ClearLog();
  const auto start = rig.clock.Now();
  ASSERT_TRUE(light.SendStreamFrame({{0x04, RGB(9, 8, 7)}}, index));
  ASSERT_TRUE(light.SendStreamFrame({{0x04, RGB(9, 8, 7)}}, index));
  light.SendLightMode(101, 0, l, 0, false);
  ASSERT_TRUE(light.SendStreamFrame({{0x04, RGB(9, 8, 7)}}, index));
  const std::vector<SimReport> log = rig.sim->GetLog();
  ASSERT_EQ(log.size(), 1u + 6 + 6 + 1 + 6);
  EXPECT_EQ(TraceLine(log[0]), "write 00 F0 F4 01");
  EXPECT_EQ(TraceLine(log[1]), "write@aux 00 F1 3C 00 00 09 08 07");
  EXPECT_EQ(Gaps(log, start),
            (std::vector<double>{0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1}));
  state = rig.sim->GetState(kb);
  EXPECT_EQ(state.stream_starts, 1);
  EXPECT_EQ(state.stream_frames, 3);
  EXPECT_EQ(state.unknown_reports, 0);
}

TEST(LightProtocol, UploadAndStreamStopAtTheFirstFailure) {
  SimRig rig;
  const int kb = rig.AddFamily1();
  rig.Connect(101);
  LightProtocol light(*rig.manager);
  const LightIndexLookup index = [](int) -> std::optional<int> { return 0; };
  rig.sim->UnplugAfter(kb, 3);
  EXPECT_FALSE(light.UploadCustomColours({}, index));
  EXPECT_EQ(rig.sim->GetLog().size(), 3u + 2) << "three reports, then one failed with its retry";

  // A keyboard without a stream interface: the start report may go out, the frame cannot.
  SimRig bare;
  bare.manager->AddDeviceFilter(kVid, kPid1, "", 101, 0, "");
  SimKeyboardConfig config = KeyboardConfig(kPid1, SimFamily::kFamily1);
  config.interfaces = {{kVendorUsagePage, kVendorUsage, 0}};
  bare.sim->AddKeyboard(config);
  bare.Connect(101);
  LightProtocol bare_light(*bare.manager);
  EXPECT_FALSE(bare_light.SendStreamFrame({}, index));
  EXPECT_EQ(bare.sim->GetLog().size(), 1u);
}

TEST(LightProtocol, StreamStartWaitsForAKeyboard) {
  SimRig rig;
  rig.AddFamily1();
  LightProtocol light(*rig.manager);
  const LightIndexLookup index = [](int) -> std::optional<int> { return 0; };
  EXPECT_FALSE(light.SendStreamFrame({}, index)) << "nothing attached yet";
  EXPECT_FALSE(light.StreamStarted());
  rig.Connect(101);
  EXPECT_TRUE(light.SendStreamFrame({}, index));
  EXPECT_EQ(TraceLine(rig.sim->GetLog().at(0)), "write 00 F0 F4 01");
}

TEST(LightProtocol, Family2ModesAndResets) {
  struct Case {
    int mode;
    std::vector<std::string> trace;
    std::vector<double> gaps;
  };
  const Case cases[] = {
      {0, {"set 07 F7 01 04 01 02 04", "set 07 F0 AA"}, {16, 16}},
      {1,
       {"write 00 BB AA 99 88 AA 01 04 01 02 04", "write 00 BB AA 99 88 AA AA AA AA AA AA",
        "write 00 BB AA 99 88"},
       {0, 0, 1600}},
  };
  for (const Case& c : cases) {
    SimRig rig;
    const int kb = rig.AddFamily2(c.mode);
    rig.Connect(201);
    LightProtocol light(*rig.manager);
    light.SendLightMode(201, c.mode, Light(2, 5, 3, 1, 0, 0, 4), 0, false);
    EXPECT_EQ(rig.sim->GetState(kb).mode, 2);
    light.Reset(201, c.mode);
    ExpectTrace(c.trace, Trace(rig.sim->GetLog()));
    EXPECT_EQ(Gaps(rig.sim->GetLog()), c.gaps);
    const KeyboardState state = rig.sim->GetState(kb);
    EXPECT_EQ(state.resets, 1);
    EXPECT_EQ(state.mode, 0) << "back to defaults";
    EXPECT_EQ(state.unknown_reports, 0);
  }
  SimRig rig;
  const int kb = rig.AddFamily2();
  rig.Connect(201);
  LightProtocol light(*rig.manager);
  EXPECT_TRUE(light.SendMusicLevel(1, 3, MusicLevelByte(64, 100)));
  EXPECT_EQ(rig.sim->GetState(kb).music_level, 128);
  EXPECT_EQ(Gaps(rig.sim->GetLog()), (std::vector<double>{0})) << "no pause";
}

}  // namespace
