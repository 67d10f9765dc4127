// Picking the HID back end.
#include "sim/hid_backend_factory.h"

#include "platform/hidapi_backend.h"

HidBackendChoice CreateHidBackend(bool simulate) {
  HidBackendChoice choice;
  if (simulate) {
    auto simulator = std::make_unique<KeyboardSimulator>();
    choice.simulator = simulator.get();
    choice.backend = std::move(simulator);
  } else {
    choice.backend = CreateHidapiBackend();
  }
  return choice;
}
