// Key codes: a key is named by the HID keyboard usage id the keyboard itself
// uses for it; 232 to 249 are the program's own media and application
// functions, and 255 stands for "no assignable key".
#pragma once

enum KeyCode : int {
  kKeyNone = 0,  // never a valid key
  kKeyA = 0x04,
  kKeyZ = 0x1D,
  kKey1 = 0x1E,
  kKey9 = 0x26,
  kKey0 = 0x27,
  kKeyEnter = 0x28,
  kKeyEscape = 0x29,
  kKeyBackspace = 0x2A,
  kKeyTab = 0x2B,
  kKeySpace = 0x2C,
  kKeyMinus = 0x2D,
  kKeyEqual = 0x2E,
  kKeyLeftBracket = 0x2F,
  kKeyRightBracket = 0x30,
  kKeyBackslash = 0x31,
  kKeySemicolon = 0x33,
  kKeyApostrophe = 0x34,
  kKeyGrave = 0x35,
  kKeyComma = 0x36,
  kKeyPeriod = 0x37,
  kKeySlash = 0x38,
  kKeyCapsLock = 0x39,
  kKeyF1 = 0x3A,
  kKeyF12 = 0x45,
  kKeyPrintScreen = 0x46,
  kKeyScrollLock = 0x47,
  kKeyPause = 0x48,
  kKeyInsert = 0x49,
  kKeyHome = 0x4A,
  kKeyPageUp = 0x4B,
  kKeyDelete = 0x4C,
  kKeyEnd = 0x4D,
  kKeyPageDown = 0x4E,
  kKeyRight = 0x4F,
  kKeyLeft = 0x50,
  kKeyDown = 0x51,
  kKeyUp = 0x52,
  kKeyNumLock = 0x53,
  kKeypadSlash = 0x54,
  kKeypadAsterisk = 0x55,
  kKeypadMinus = 0x56,
  kKeypadPlus = 0x57,
  kKeypadEnter = 0x58,
  kKeypad1 = 0x59,
  kKeypad9 = 0x61,
  kKeypad0 = 0x62,
  kKeypadPeriod = 0x63,
  kKeyNonUsBackslash = 0x64,
  kKeyApplication = 0x65,
  kKeyF13 = 0x68,
  kKeyF24 = 0x73,
  kKeyFn = 0xAF,  // these keyboards' own code for their Fn key
  kKeyLeftCtrl = 0xE0,
  kKeyLeftShift = 0xE1,
  kKeyLeftAlt = 0xE2,
  kKeyLeftWin = 0xE3,
  kKeyRightCtrl = 0xE4,
  kKeyRightShift = 0xE5,
  kKeyRightAlt = 0xE6,
  kKeyRightWin = 0xE7,

  // The program's functions, offered by the function picker and carried out
  // through the virtual keyboard's consumer page.
  kFuncMediaSelect = 232,
  kFuncVolumeDown = 233,
  kFuncVolumeUp = 234,
  kFuncVolumeMute = 235,
  kFuncMediaStop = 236,
  kFuncPreviousTrack = 237,
  kFuncPlayPause = 238,
  kFuncNextTrack = 239,
  kFuncMail = 240,
  kFuncBrowserHome = 241,
  kFuncCalculator = 242,
  kFuncBrowserBack = 243,
  kFuncBrowserForward = 244,
  kFuncBrowserStop = 245,
  kFuncBrowserRefresh = 246,
  kFuncBrowserSearch = 247,
  kFuncBrowserFavorites = 248,
  kFuncMyComputer = 249,

  // On the keyboard picture: the selected key cannot be assigned.
  kKeyNotAssignable = 255,
};

constexpr bool IsProgramFunction(int code) {
  return code >= kFuncMediaSelect && code <= kFuncMyComputer;
}

constexpr bool IsModifierKey(int code) {
  return code >= kKeyLeftCtrl && code <= kKeyRightWin;
}
