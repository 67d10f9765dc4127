// The virtual-key table is built once at compile time; a lookup is one index.
#include "keys/virtual_key.h"

#include <array>

#include "keys/key_codes.h"

namespace {

constexpr std::array<unsigned char, 256> BuildTable() {
  std::array<unsigned char, 256> t{};
  for (int vk = 65; vk <= 90; ++vk) t[vk] = vk - 61;  // A..Z
  for (int vk = 49; vk <= 57; ++vk) t[vk] = vk - 19;  // 1..9
  t[48] = kKey0;
  for (int vk = 112; vk <= 123; ++vk) t[vk] = vk - 54;  // F1..F12
  for (int vk = 124; vk <= 135; ++vk) t[vk] = vk - 20;  // F13..F24
  for (int vk = 97; vk <= 105; ++vk) t[vk] = vk - 8;    // keypad 1..9
  for (int vk = 136; vk <= 139; ++vk) t[vk] = vk;

  struct Pair {
    int vk;
    int code;
  };
  constexpr Pair kPairs[] = {
      {13, kKeyEnter},
      {27, kKeyEscape},
      {8, kKeyBackspace},
      {9, kKeyTab},
      {32, kKeySpace},
      {189, kKeyMinus},
      {187, kKeyEqual},
      {219, kKeyLeftBracket},
      {221, kKeyRightBracket},
      {220, kKeyBackslash},
      {186, kKeySemicolon},
      {222, kKeyApostrophe},
      {192, kKeyGrave},
      {188, kKeyComma},
      {190, kKeyPeriod},
      {191, kKeySlash},
      {20, kKeyCapsLock},
      {44, kKeyPrintScreen},
      {145, kKeyScrollLock},
      {19, kKeyPause},
      {45, kKeyInsert},
      {36, kKeyHome},
      {33, kKeyPageUp},
      {46, kKeyDelete},
      {35, kKeyEnd},
      {34, kKeyPageDown},
      {39, kKeyRight},
      {37, kKeyLeft},
      {40, kKeyDown},
      {38, kKeyUp},
      {144, kKeyNumLock},
      {111, kKeypadSlash},
      {106, kKeypadAsterisk},
      {109, kKeypadMinus},
      {107, kKeypadPlus},
      {108, kKeypadEnter},  // the separator key
      {96, kKeypad0},
      {110, kKeypadPeriod},
      {162, kKeyLeftCtrl},
      {160, kKeyLeftShift},
      {164, kKeyLeftAlt},
      {91, kKeyLeftWin},
      {163, kKeyRightCtrl},
      {161, kKeyRightShift},
      {165, kKeyRightAlt},
      {92, kKeyRightWin},
      {93, kKeyApplication},
      {254, kKeyFn},
      {226, kKeyNonUsBackslash},
      {173, kFuncVolumeMute},
      {174, kFuncVolumeDown},
      {175, kFuncVolumeUp},
      {176, kFuncNextTrack},
      {177, kFuncPreviousTrack},
      {178, kFuncMediaStop},
      {179, kFuncPlayPause},
      {166, kFuncBrowserBack},
      {167, kFuncBrowserForward},
      {168, kFuncBrowserRefresh},
      {169, kFuncBrowserStop},
      {170, kFuncBrowserSearch},
      {171, kFuncBrowserFavorites},
      {172, kFuncBrowserHome},
      {180, kFuncMail},
      {181, kFuncMediaSelect},
      {182, kFuncMyComputer},
      {183, kFuncCalculator},
  };
  for (const Pair& p : kPairs) t[p.vk] = static_cast<unsigned char>(p.code);
  return t;
}

constexpr std::array<unsigned char, 256> kTable = BuildTable();

}  // namespace

int KeyCodeFromVirtualKey(int virtual_key) {
  if (virtual_key < 0 || virtual_key >= static_cast<int>(kTable.size())) return 0;
  return kTable[virtual_key];
}
