// Where the virtual device's events go: one uinput device, written in batches that each end
// with the caller's own SYN_REPORT.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/input_event.h"

class InputEventSink {
 public:
  virtual ~InputEventSink() = default;
  // Writes the events in order; false when a write failed (the rest of the batch is not written).
  virtual bool Emit(std::span<const InputEvent> events) = 0;
  // A descriptor that is readable while lock-light settings the desktop wrote to the device wait
  // to be taken; -1 for a device without lights.
  virtual int LightsFd() const { return -1; }
  // The lock-light events (EV_LED) the desktop wrote to the device since the last call, in order.
  virtual std::vector<InputEvent> TakeLights() { return {}; }
};

// Identity of the program's virtual device (the same ids the program has always used for it).
inline constexpr int kVirtualDeviceVendor = 0xDEED;
inline constexpr int kVirtualDeviceProduct = 0xFEED;

// Creates a uinput device named `name` with every code of VirtualDeviceKeyCodes(), the relative
// axes and scan codes a keyboard forwards, kernel auto-repeat and a keyboard's lock lights. Null
// when /dev/uinput cannot be opened or the device cannot be created; `error` then says why.
std::unique_ptr<InputEventSink> OpenUinputSink(const std::string& name, std::string& error);
