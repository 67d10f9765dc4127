// The key filter's access to the keyboard: its evdev nodes, grabbed while there are keys to
// filter. Keys of the table come back to the caller and go no further; every other event of the
// keyboard is passed on unchanged through the forwarder, so the keyboard keeps working.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/input_event.h"
#include "platform/keyboard_nodes.h"

struct FilteredKey {
  int key_code = 0;  // keyboard-page usage
  bool pressed = false;

  bool operator==(const FilteredKey&) const = default;
};

// Where passed-through events go (the virtual device), and where the lock lights the desktop
// sets for them come from.
class InputForwarder {
 public:
  virtual ~InputForwarder() = default;
  virtual bool Forward(std::span<const InputEvent> events) = 0;
  // Readable while lock-light settings wait to be taken; -1 when there are none to wait for.
  virtual int LightsFd() const = 0;
  // The lock-light events (EV_LED) the desktop set since the last call, in order.
  virtual std::vector<InputEvent> TakeLights() = 0;
};

enum class NodeAccess {
  kNoKeyboard,  // none of the keyboard's nodes is present
  kAllowed,     // every node present can be read
  kDenied,      // at least one cannot
};

enum class WaitResult {
  kKeys,         // `keys` holds the keys of one or more frames, in order
  kInterrupted,  // Interrupt() was called
};

// SetKeyboards, SetKeyTable, Start and Stop are called while no thread waits in Wait; Interrupt
// may be called from any thread at any time.
class KeyEventSource {
 public:
  virtual ~KeyEventSource() = default;

  virtual void SetKeyboards(const std::vector<UsbId>& keyboards) = 0;
  // The hidraw node of the HID interface the program talks to the keyboard through, empty while
  // none is connected; from the next Start only nodes under its USB device are taken.
  virtual void SetKeyboardInterface(const std::string& hid_path) = 0;
  virtual NodeAccess CheckAccess() = 0;
  // The keys to report and swallow. An empty table also ends filtering (as Stop).
  virtual void SetKeyTable(const std::vector<int>& key_codes) = 0;
  // Finds the keyboard's nodes and grabs each as soon as no key is down on it; the number of
  // nodes opened.
  virtual int Start() = 0;
  // Ungrabs and closes every node, first releasing on the virtual device every key that was
  // passed through and is still down.
  virtual void Stop() = 0;

  // Blocks until keys of the table went down or up, or until Interrupt().
  virtual WaitResult Wait(std::vector<FilteredKey>& keys) = 0;
  // Makes the current Wait, or the next one, return kInterrupted.
  virtual void Interrupt() = 0;
};

// The real source on libevdev, finding nodes with ListInputEventNodes.
std::unique_ptr<KeyEventSource> MakeEvdevKeySource(InputForwarder& forwarder);
