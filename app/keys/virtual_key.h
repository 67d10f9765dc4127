// Turns the Windows virtual-key codes that macro records store into the key
// codes the keyboard and the virtual keyboard understand.
#pragma once

// The key code of a virtual-key code; 0 when the code has none (also for
// anything outside 0..255).
int KeyCodeFromVirtualKey(int virtual_key);
