// The usage to evdev table against everything the program can send or has to recognise: the
// keys of the installed layouts, every key a macro record can name, the program functions and
// the mouse buttons, all of them codes the virtual device is created with.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "keys/key_codes.h"
#include "keys/virtual_key.h"
#include "platform/evdev_codes.h"
#include "vkeyboard/consumer_usage.h"

namespace {

std::set<int> LayoutKeyCodes() {
  std::set<int> codes;
  const std::regex code_attr(R"re( code="([0-9A-Fa-f]+)")re");
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(TERVANE_SOURCE_DIR) + "/install/layouts")) {
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    for (std::sregex_iterator it(s.begin(), s.end(), code_attr), end; it != end; ++it) {
      codes.insert(std::stoi((*it)[1].str(), nullptr, 16));
    }
  }
  return codes;
}

bool OnVirtualDevice(int code) {
  static const std::vector<int> codes = VirtualDeviceKeyCodes();
  return std::binary_search(codes.begin(), codes.end(), code);
}

TEST(EvdevCodes, EveryLayoutKeyIsRecognisedAndSendable) {
  const std::set<int> codes = LayoutKeyCodes();
  ASSERT_GT(codes.size(), 80u);
  for (int usage : codes) {
    if (usage == kKeyFn) continue;  // the keyboard keeps its Fn key to itself
    const int key = EvdevKeyFromKeyboardUsage(usage);
    EXPECT_NE(key, 0) << std::hex << usage;
    EXPECT_EQ(KeyboardUsageFromEvdevKey(key), usage) << std::hex << usage;
    EXPECT_TRUE(OnVirtualDevice(key)) << key;
  }
}

TEST(EvdevCodes, EveryMacroKeyAndProgramFunctionHasACode) {
  for (int vk = 1; vk < 256; ++vk) {
    const int code = KeyCodeFromVirtualKey(vk);
    if (code == 0 || code == kKeyFn) continue;
    const int key = IsProgramFunction(code) ? EvdevKeyFromConsumerUsage(ConsumerUsageOfCode(code))
                                            : EvdevKeyFromKeyboardUsage(code);
    EXPECT_NE(key, 0) << "virtual key " << vk << " (code " << code << ")";
    EXPECT_TRUE(OnVirtualDevice(key)) << key;
  }
  for (int bit = 0; bit < 5; ++bit) EXPECT_TRUE(OnVirtualDevice(EvdevButtonFromMouseBit(bit)));
  EXPECT_EQ(EvdevButtonFromMouseBit(5), 0);
}

TEST(EvdevCodes, UsualUsageWinsAndNothingMakesAJoystick) {
  EXPECT_EQ(KeyboardUsageFromEvdevKey(KEY_BACKSLASH), 0x31);
  EXPECT_EQ(EvdevKeyFromKeyboardUsage(0x32), KEY_BACKSLASH);
  EXPECT_EQ(KeyboardUsageFromEvdevKey(KEY_VOLUMEUP), 0x80);
  EXPECT_EQ(KeyboardUsageFromEvdevKey(BTN_LEFT), 0);
  for (int code : VirtualDeviceKeyCodes()) {
    EXPECT_FALSE(code >= BTN_JOYSTICK && code < KEY_OK) << "joystick or tablet button " << code;
    EXPECT_LT(code, BTN_TRIGGER_HAPPY);
  }
}

}  // namespace
