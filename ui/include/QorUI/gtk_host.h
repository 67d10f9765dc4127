// The desktop host: GTK 3 windows on the X11 backend.
#pragma once

#include <memory>

#include "QorUI/host.h"

// Opens the display; null when there is none (no X server, no DISPLAY).
std::unique_ptr<Host> CreateGtkHost();
