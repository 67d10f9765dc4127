// The desktop host: GTK 3 windows on the X11 backend.
#pragma once

#include <memory>

#include "QorUI/host.h"

// Opens the display; null when there is none (no X server, no DISPLAY). May be
// called again for a new host after the previous one was uninstalled.
std::unique_ptr<Host> CreateGtkHost();
