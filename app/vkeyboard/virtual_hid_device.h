// The open virtual device as VHidev writes to it: whole report frames from the program, and the
// keyboard's own events that the key filter passes through unchanged.
#pragma once

#include <span>
#include <vector>

#include "platform/input_event.h"
#include "vkeyboard/vhidev_frame.h"

class VirtualHidDevice {
 public:
  virtual ~VirtualHidDevice() = default;
  // One write of one frame; false when it failed.
  virtual bool Write(const VhidevFrame& frame) = 0;
  // Events of the grabbed keyboard, written as they came (they carry their own SYN_REPORTs).
  virtual bool Forward(std::span<const InputEvent> events) = 0;
  // The lock lights the desktop sets on the device (see InputEventSink); none by default.
  virtual int LightsFd() const { return -1; }
  virtual std::vector<InputEvent> TakeLights() { return {}; }
};
