// Carries out planned virtual-keyboard writes: each at its due time on the given clock, in order,
// on the calling thread.
#pragma once

#include <span>

#include "device/clock.h"
#include "vkeyboard/vhidev.h"
#include "vkeyboard/virtual_action.h"

class ActionPlayer {
 public:
  ActionPlayer(VHidev& vhidev, Clock& clock) : m_vhidev(vhidev), m_clock(clock) {}

  // Waits for each action's due time (never for one already due) and sends it.
  void Play(std::span<const VirtualAction> actions);
  // Sends one action now.
  bool Perform(const VirtualAction& action);

  Clock& GetClock() const { return m_clock; }

 private:
  VHidev& m_vhidev;
  Clock& m_clock;
};
