// Key labels: letters, digits and F-keys by range, the rest from one table.
#include "keys/key_label.h"

#include <string_view>

#include "keys/key_codes.h"

namespace {

struct Label {
  int code;
  std::string_view text;
};

// The main block's labels show both characters of a key where it has two.
constexpr Label kLabels[] = {
    {kKeyEnter, "ENTER"},      {kKeyEscape, "ESC"},       {kKeyBackspace, "backspace"},
    {kKeyTab, "TAB"},          {kKeySpace, "SPACE"},      {kKeyMinus, "-_"},
    {kKeyEqual, "+="},         {kKeyLeftBracket, "[{"},   {kKeyRightBracket, "]}"},
    {kKeyBackslash, "\\"},     {kKeySemicolon, ";:"},     {kKeyApostrophe, "'"},
    {kKeyGrave, "~`"},         {kKeyComma, "<,"},         {kKeyPeriod, ">."},
    {kKeySlash, "/?"},         {kKeyCapsLock, "CAPS"},    {kKeyPrintScreen, "PRTSC"},
    {kKeyScrollLock, "SCRLK"}, {kKeyPause, "PASE"},       {kKeyInsert, "INS"},
    {kKeyHome, "HOME"},        {kKeyPageUp, "PG UP"},     {kKeyDelete, "DEL"},
    {kKeyEnd, "END"},          {kKeyPageDown, "PG DN"},   {kKeyRight, "RIGHT"},
    {kKeyLeft, "LEFT"},        {kKeyDown, "DOWN"},        {kKeyUp, "UP"},
    {kKeyNumLock, "NumLock"},  {kKeypadSlash, "/"},       {kKeypadAsterisk, "*"},
    {kKeypadMinus, "-"},       {kKeypadPlus, "+"},        {kKeypadEnter, "Enter"},
    {kKeypadPeriod, "."},      {kKeyApplication, "MENU"}, {kKeyFn, "FN"},
    {kKeyLeftCtrl, "CTRL"},    {kKeyLeftShift, "SHIFT"},  {kKeyLeftAlt, "ALT"},
    {kKeyLeftWin, "WIN"},      {kKeyRightCtrl, "RCTRL"},  {kKeyRightShift, "RSHIFT"},
    {kKeyRightAlt, "RALT"},
};

}  // namespace

std::string KeyLabel(int key_code) {
  if (key_code >= kKeyA && key_code <= kKeyZ) return std::string(1, char('A' + key_code - kKeyA));
  if (key_code >= kKey1 && key_code <= kKey9) return std::string(1, char('1' + key_code - kKey1));
  if (key_code >= kKeypad1 && key_code <= kKeypad9) {
    return std::string(1, char('1' + key_code - kKeypad1));
  }
  if (key_code == kKey0 || key_code == kKeypad0) return "0";
  if (key_code >= kKeyF1 && key_code <= kKeyF12) return "F" + std::to_string(key_code - kKeyF1 + 1);
  for (const Label& l : kLabels) {
    if (l.code == key_code) return std::string(l.text);
  }
  return {};
}
