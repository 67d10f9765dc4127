// The real HID back end: Debian's hidapi on hidraw.
#pragma once

#include <memory>

#include "device/hid_backend.h"

std::unique_ptr<HidBackend> CreateHidapiBackend();
