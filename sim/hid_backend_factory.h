// The choice of HID back end: the real hidapi back end, or the keyboard
// simulator for `tervane --simulate`.
#pragma once

#include <memory>

#include "device/hid_backend.h"
#include "sim/keyboard_simulator.h"

struct HidBackendChoice {
  std::unique_ptr<HidBackend> backend;
  // Set when the simulator was chosen; the caller adds its keyboards
  // (AddKeyboardsFor with the configured filters) once config.xml is read.
  KeyboardSimulator* simulator = nullptr;
};

HidBackendChoice CreateHidBackend(bool simulate);
