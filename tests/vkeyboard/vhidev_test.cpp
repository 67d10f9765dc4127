// VHidev's reports and their 64-byte frames, and what the uinput side makes of them.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <poll.h>

#include "tests/vkeyboard/vkeyboard_fakes.h"
#include "vkeyboard/vhidev.h"

namespace {

// A device that keeps the frames written to it.
class FrameDevice final : public VirtualHidDevice {
 public:
  explicit FrameDevice(std::vector<VhidevFrame>& frames) : m_frames(frames) {}
  bool Write(const VhidevFrame& frame) override {
    m_frames.push_back(frame);
    return true;
  }
  bool Forward(std::span<const InputEvent>) override { return true; }

 private:
  std::vector<VhidevFrame>& m_frames;
};

struct FrameRig {
  std::vector<VhidevFrame> frames;
  VHidev vhidev{[this] { return std::make_unique<FrameDevice>(frames); }};
  FrameRig() { vhidev.Open(); }
};

VhidevFrame Frame(std::initializer_list<std::uint8_t> head) {
  VhidevFrame f{};
  std::copy(head.begin(), head.end(), f.begin());
  return f;
}

TEST(VhidevFrame, ReportIdFirstThenDataThenZeros) {
  std::vector<std::uint8_t> data(33, 0);
  data[1] = 0xAA;
  data[32] = 0x55;
  const VhidevFrame f = BuildVhidevFrame(data, kKeyReportId);
  EXPECT_EQ(f[0], 0x05);
  EXPECT_EQ(f[1], 0x01);
  EXPECT_EQ(f[3], 0xAA);
  EXPECT_EQ(f[34], 0x55);
  EXPECT_TRUE(std::all_of(f.begin() + 35, f.end(), [](std::uint8_t b) { return b == 0; }));

  // Without a report id the data start at byte 1 and may fill 63 bytes; more is cut.
  const std::vector<std::uint8_t> long_data(70, 0x11);
  const VhidevFrame plain = BuildVhidevFrame(long_data, 0);
  EXPECT_EQ(plain[0], 0x05);
  EXPECT_TRUE(
      std::all_of(plain.begin() + 1, plain.end(), [](std::uint8_t b) { return b == 0x11; }));
  const VhidevFrame with_id = BuildVhidevFrame(long_data, 3);
  EXPECT_EQ(with_id[1], 3);
  EXPECT_EQ(with_id[63], 0x11);
}

TEST(Vhidev, KeyBitsStayIndependent) {
  FrameRig rig;
  rig.vhidev.Key(0x04, true);  // A: byte 1 + 0, bit 4
  rig.vhidev.Key(0xE1, true);  // left Shift: byte 1 + 28, bit 1
  rig.vhidev.Key(0x04, false);
  ASSERT_EQ(rig.frames.size(), 3u);
  VhidevFrame both = Frame({0x05, 0x01});
  both[2 + 1] = 0x10;
  both[2 + 1 + 28] = 0x02;
  EXPECT_EQ(rig.frames[1], both);
  VhidevFrame shift_only = Frame({0x05, 0x01});
  shift_only[2 + 1 + 28] = 0x02;
  EXPECT_EQ(rig.frames[2], shift_only);
  EXPECT_FALSE(rig.vhidev.Key(256, true));
  EXPECT_EQ(rig.frames.size(), 3u);
}

TEST(Vhidev, MouseConsumerAndReleaseAllReports) {
  FrameRig rig;
  rig.vhidev.MouseButton(0, true);
  rig.vhidev.MouseButton(4, true);
  rig.vhidev.Consumer(234, true);  // volume up
  rig.vhidev.Consumer(234, false);
  rig.vhidev.Consumer(250, true);  // not a program function: no usage
  rig.vhidev.ReleaseAll();
  const std::vector<VhidevFrame> expected = {
      Frame({0x05, 0x02, 0x01}), Frame({0x05, 0x02, 0x11}), Frame({0x05, 0x03, 0xE9, 0x00}),
      Frame({0x05, 0x03}),       Frame({0x05, 0x03}),       Frame({0x05, 0x01}),
      Frame({0x05, 0x02}),       Frame({0x05, 0x03}),       Frame({0x05, 0x04}),
  };
  EXPECT_EQ(rig.frames, expected);
}

TEST(Vhidev, ConsumerUsagesOfEveryProgramFunction) {
  const std::pair<int, int> cases[] = {
      {232, 0x0183}, {233, 0x00EA}, {234, 0x00E9}, {235, 0x00E2}, {236, 0x00B7}, {237, 0x00B6},
      {238, 0x00CD}, {239, 0x00B5}, {240, 0x018A}, {241, 0x0223}, {242, 0x0192}, {243, 0x0224},
      {244, 0x0225}, {245, 0x0226}, {246, 0x0227}, {247, 0x0221}, {248, 0x022A}, {249, 0x0194},
  };
  for (const auto& [code, usage] : cases) {
    FrameRig rig;
    rig.vhidev.Consumer(code, true);
    ASSERT_EQ(rig.frames.size(), 1u);
    EXPECT_EQ(rig.frames[0][2] | (rig.frames[0][3] << 8), usage) << code;
  }
}

TEST(Vhidev, EnsureOpenKeepsTheDeviceAndOpenStartsAfresh) {
  VirtualKeyboardRig rig;
  EXPECT_FALSE(rig.vhidev.Key(0x04, true)) << "nothing is written without a device";
  ASSERT_TRUE(rig.vhidev.EnsureOpen());
  ASSERT_TRUE(rig.vhidev.EnsureOpen());
  EXPECT_EQ(rig.opened, 1);
  rig.vhidev.Key(0x04, true);
  // A new device has nothing down, so a later key report must not carry the old bit.
  ASSERT_TRUE(rig.vhidev.Open());
  rig.vhidev.Key(0x05, true);
  EXPECT_EQ(rig.log.HeldKeys(), std::set<int>({KEY_B}));

  rig.can_open = false;
  EXPECT_FALSE(rig.vhidev.Open());
  EXPECT_FALSE(rig.vhidev.IsOpen());
}

// The uinput side: report changes become key events, one SYN_REPORT per report.
TEST(VirtualDeviceEvents, ReportChangesBecomeKeyEvents) {
  VirtualKeyboardRig rig;
  rig.vhidev.Open();
  rig.vhidev.Key(0xE0, true);
  rig.vhidev.Key(0x19, true);
  rig.vhidev.Key(0x19, true);  // no change, no event
  rig.vhidev.MouseButton(1, true);
  rig.vhidev.MouseButton(3, true);
  rig.vhidev.MouseButton(7, true);  // a bit without a button
  rig.vhidev.Consumer(234, true);
  rig.vhidev.Consumer(235, true);  // one usage at a time: volume up ends
  rig.vhidev.Key(0x8F, true);      // a usage without a key code changes nothing visible
  const std::vector<std::string> pressed = {
      "29:1", "47:1", "273:1", "275:1", "115:1", "115:0", "113:1",
  };
  EXPECT_EQ(rig.log.Keys(), pressed);
  int syns = 0;
  for (const TimedEvent& t : rig.log.Events()) syns += t.event.type == EV_SYN;
  EXPECT_EQ(syns, 6);

  rig.log.Clear();
  rig.vhidev.ReleaseAll();
  EXPECT_EQ(rig.log.Keys(), (std::vector<std::string>{"47:0", "29:0", "273:0", "275:0", "113:0"}));
  EXPECT_TRUE(rig.log.HeldKeys().empty());
}

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) == 1 && (p.revents & POLLIN) != 0;
}

// The key filter copies these to the grabbed keyboard; the device goes with every reopen.
TEST(VirtualDeviceEvents, LockLightsTheDesktopSetsAreTakenFromTheOpenDevice) {
  VirtualKeyboardRig rig;
  EXPECT_EQ(rig.vhidev.LightsFd(), -1) << "no device, nothing to wait for";
  ASSERT_TRUE(rig.vhidev.Open());
  ASSERT_GE(rig.vhidev.LightsFd(), 0);
  EXPECT_FALSE(Readable(rig.vhidev.LightsFd()));
  rig.lights.Set(LED_CAPSL, true);
  rig.lights.Set(LED_NUML, true);
  rig.lights.Set(LED_CAPSL, false);
  EXPECT_TRUE(Readable(rig.vhidev.LightsFd()));
  EXPECT_EQ(rig.vhidev.TakeLights(),
            (std::vector<InputEvent>{
                {EV_LED, LED_CAPSL, 1}, {EV_LED, LED_NUML, 1}, {EV_LED, LED_CAPSL, 0}}));
  EXPECT_FALSE(Readable(rig.vhidev.LightsFd()));
  EXPECT_TRUE(rig.vhidev.TakeLights().empty());

  rig.can_open = false;
  rig.lights.Set(LED_SCROLLL, true);
  EXPECT_FALSE(rig.vhidev.Open());
  EXPECT_EQ(rig.vhidev.LightsFd(), -1);
  EXPECT_TRUE(rig.vhidev.TakeLights().empty());
}

}  // namespace
