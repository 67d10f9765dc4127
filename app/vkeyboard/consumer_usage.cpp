// One entry per program function, indexed from the first function code.
#include "vkeyboard/consumer_usage.h"

#include <array>

#include "keys/key_codes.h"

namespace {

constexpr std::array<int, kFuncMyComputer - kFuncMediaSelect + 1> kUsages = {
    0x0183,  // 232 media select
    0x00EA,  // 233 volume down
    0x00E9,  // 234 volume up
    0x00E2,  // 235 mute
    0x00B7,  // 236 stop
    0x00B6,  // 237 previous track
    0x00CD,  // 238 play/pause
    0x00B5,  // 239 next track
    0x018A,  // 240 mail
    0x0223,  // 241 browser home
    0x0192,  // 242 calculator
    0x0224,  // 243 browser back
    0x0225,  // 244 browser forward
    0x0226,  // 245 browser stop
    0x0227,  // 246 browser refresh
    0x0221,  // 247 browser search
    0x022A,  // 248 browser favourites
    0x0194,  // 249 my computer
};

}  // namespace

int ConsumerUsageOfCode(int code) {
  if (!IsProgramFunction(code)) return 0;
  return kUsages[code - kFuncMediaSelect];
}
