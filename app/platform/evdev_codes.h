// The program's own table between HID usages and evdev codes: the keyboard page (both ways, for
// the virtual device and the key filter), the consumer usages the program sends and the five mouse
// buttons of the virtual device's button report.
#pragma once

#include <vector>

// The evdev key code of keyboard-page usage `usage` (0-255); 0 when it has none.
int EvdevKeyFromKeyboardUsage(int usage);
// The keyboard-page usage of evdev key `code`; 0 when no usage gives it. Where two usages give
// the same key, the usual one of the two wins (0x31 over 0x32 for the backslash key).
int KeyboardUsageFromEvdevKey(int code);
// The evdev key code of consumer-page usage `usage`; 0 for a usage the program never sends.
int EvdevKeyFromConsumerUsage(int usage);
// BTN_LEFT, BTN_RIGHT, BTN_MIDDLE, BTN_SIDE or BTN_EXTRA for bits 0 to 4 of the button report;
// 0 for any other bit.
int EvdevButtonFromMouseBit(int bit);
// Every key and button code the virtual device is created with, ascending: those of the tables
// above and the others a keyboard may send, which the key filter forwards.
std::vector<int> VirtualDeviceKeyCodes();
