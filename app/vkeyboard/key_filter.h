// KeyFilter: the key filter as the program uses it. It keeps the key map of the current profile,
// tells the key source which keys to report, and runs the monitor only while that table holds
// keys. The process-wide instance filters the configured keyboard on evdev and passes the rest
// of its input through VHidev.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/key_event_source.h"
#include "store/profile_store.h"
#include "vkeyboard/key_filter_monitor.h"
#include "vkeyboard/key_filter_table.h"
#include "vkeyboard/vhidev.h"

class KeyFilter {
 public:
  static KeyFilter& GetInstance();

  KeyFilter(std::unique_ptr<KeyEventSource> source, VHidev& vhidev);
  ~KeyFilter();
  KeyFilter(const KeyFilter&) = delete;
  KeyFilter& operator=(const KeyFilter&) = delete;

  // The keyboards (vendor and product ids of the configured modes) whose nodes are filtered.
  void SetKeyboards(const std::vector<UsbId>& keyboards);
  // The hidraw node of the connected keyboard's HID interface (empty when none is connected):
  // the filter then takes only the nodes of that keyboard, not of another of the same model.
  // Takes effect at the next refresh.
  void SetKeyboardInterface(const std::string& hid_path);
  NodeAccess CheckAccess();

  KeyFilterMonitor& GetMonitor() { return m_monitor; }

  // After every change of key assignments, macros or the profile: releases every virtual key,
  // stops the monitor, clears the filter and the key map, then reads the assignments of
  // `profile` and `fn_layer` and, when there is one or more, sets the table, starts filtering
  // and starts the monitor. The number of keys in the table.
  int Refresh(ProfileStore& store, int profile, int fn_layer);
  // On exit: stops the monitor, clears the filter's table, which ends every grab, and releases
  // every key and button injected through the virtual device.
  void StopAndClear();

  // The assignment of a filtered key at the last refresh.
  std::optional<KeyAssignmentRow> Lookup(int key_code) const;

 private:
  void ClearTable();

  std::unique_ptr<KeyEventSource> m_source;
  VHidev& m_vhidev;
  KeyFilterMonitor m_monitor;
  // Serialises refreshes and the exit step: the window thread and the worker both refresh.
  std::mutex m_refresh_lock;
  // Guards the key map: the window thread replaces it while the monitor thread reads it.
  mutable std::mutex m_key_map_lock;
  std::map<int, KeyAssignmentRow> m_key_map;
};
