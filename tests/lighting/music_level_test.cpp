// Family 2 music level: the sample rule and one level per period.
#include "lighting/music_level.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake_audio_loopback.h"

namespace lighting {
namespace {

TEST(MusicLevel, TakesTheTenthSampleFromTheEndAsAByte) {
  struct Case {
    std::int16_t sample;
    int level;
  };
  const Case cases[] = {{0, 0},      {255, 0},     {256, 1},     {-256, 1},
                        {16384, 64}, {32767, 127}, {-32768, 128}};
  for (const Case& c : cases) {
    std::vector<std::int16_t> block(40, 9999);
    block[30 - 10] = c.sample;  // 30 frames: the rule reads index count - 10
    EXPECT_EQ(MusicLevel(block, 30), c.level) << c.sample;
  }
  const std::vector<std::int16_t> short_block(9, -32768);
  EXPECT_EQ(MusicLevel(short_block, 9), 0);
  EXPECT_EQ(MusicLevel({}, 0), 0);
  EXPECT_EQ(MusicLevel(short_block, 40), 0);  // a count beyond the block reads nothing
}

std::vector<std::int16_t> Packet(std::int16_t at_rule) {
  std::vector<std::int16_t> packet(AudioLoopback<std::int16_t>::kPacketValues, 0);
  packet[AudioLoopback<std::int16_t>::kPacketFrames - 10] = at_rule;
  return packet;
}

TEST(MusicLevelCapture, HandsTheNewestPacketsLevelOncePerPeriod) {
  auto capture = std::make_unique<FakeAudioLoopback<std::int16_t>>();
  FakeAudioLoopback<std::int16_t>* fake = capture.get();
  std::vector<int> handed;
  MusicLevelCapture levels(std::move(capture), [&handed](int level) { handed.push_back(level); });

  fake->Push(Packet(1 << 8));
  fake->Push(Packet(-(100 << 8)));
  EXPECT_EQ(levels.Step(), 100);
  EXPECT_EQ(fake->Waiting(), 0u);
  EXPECT_EQ(levels.Step(), 0);  // nothing waited: an empty block
  EXPECT_EQ(handed, (std::vector<int>{100, 0}));

  levels.SetActive(false);
  fake->Push(Packet(-(100 << 8)));
  EXPECT_EQ(levels.Step(), 0);
  EXPECT_TRUE(fake->Paused());
  EXPECT_EQ(handed.size(), 2u) << "nothing handed on while paused";
  levels.SetActive(true);
  EXPECT_FALSE(fake->Paused());

  EXPECT_EQ(levels.Period(), 33);
  levels.SetPeriod(99);
  levels.SetPeriod(0);  // an item without data keeps the period
  EXPECT_EQ(levels.Period(), 99);
}

}  // namespace
}  // namespace lighting
