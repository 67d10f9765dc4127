// The main window's key handler for the key filter monitor: looks a filtered key up in the key
// map, dispatches it, and carries the result out at once on the monitor thread (virtual-keyboard
// writes) or hands it on (macros to the worker, software actions to the window).
#pragma once

#include "device/clock.h"
#include "vkeyboard/action_player.h"
#include "vkeyboard/key_filter.h"
#include "vkeyboard/key_filter_monitor.h"

// The worker's macro run queue.
class MacroRunQueueSink {
 public:
  virtual ~MacroRunQueueSink() = default;
  virtual void EnqueueMacro(int macro_id) = 0;
};

// The main window's software key actions (open a program or link, type a text, switch profile),
// by their t_key_otherdata id; called on the monitor thread, so an implementation posts to the
// window thread.
class SoftwareKeyActionSink {
 public:
  virtual ~SoftwareKeyActionSink() = default;
  virtual void RunSoftwareKeyAction(int other_data_id) = 0;
};

class KeyHandler final : public MonitorProxy {
 public:
  // `actions` may be null: software key actions are then not carried out.
  KeyHandler(const KeyFilter& filter, VHidev& vhidev, Clock& clock, MacroRunQueueSink& macros,
             SoftwareKeyActionSink* actions);

  // 1 when the key has an assignment (whatever it does), 0 when it has none.
  int OnFilteredKey(int key_code, bool pressed) override;

 private:
  const KeyFilter& m_filter;
  VHidev& m_vhidev;
  ActionPlayer m_player;
  MacroRunQueueSink& m_macros;
  SoftwareKeyActionSink* m_actions;
};
