// BrelTimer: named periodic timers of an object, run on the UI thread by the
// host (the 10 ms animation tick of a window is one).
#pragma once

#include <string>
#include <vector>

#include "QorUI/types.h"

class BrelTimer {
 public:
  BrelTimer();
  virtual ~BrelTimer();
  BrelTimer(const BrelTimer&) = delete;
  BrelTimer& operator=(const BrelTimer&) = delete;

  virtual void OnMTimer(UINT /*id*/, const std::string& /*name*/) {}
  virtual void OnMTimer(UINT id) = 0;

  // Starts a timer; returns its id, 0 when there is no host.
  UINT SetTimer(UINT period_ms, const std::string& name, int application);
  // Both return the number of timers left.
  int KillTimer(UINT id);
  int KillTimer(const std::string& name);
  void KillTimer();
  std::string GetTimerName(UINT id) const;
  int IsAppTimer(UINT id) const;
  int GetTimerIsRun(UINT id) const;
  int GetTimerIsRun(const std::string& name) const;

  // The object that owns a timer id, or null.
  static BrelTimer* GetZynTimer(UINT id);

 private:
  struct Entry {
    UINT id;
    std::string name;
    int application;
  };
  void Fire(UINT id);
  std::vector<Entry> m_timers;
};
