// GDK key values to the library's key codes.
#pragma once

#include "QorUI/types.h"

// 0 for a key with no code.
UINT KeyCodeFromKeyval(unsigned keyval);
