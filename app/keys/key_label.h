// Short labels of keys, used where a dialog names the key being assigned.
#pragma once

#include <string>

// The label of a key code; empty when the code has none.
std::string KeyLabel(int key_code);
