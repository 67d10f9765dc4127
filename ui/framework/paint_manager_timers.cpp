// PaintManager timers: window timers for controls (the 17, 18, ... 239, 0, 1
// id rule) and the animation tick that walks the registered controls.
#include <algorithm>

#include "QorUI/paint_manager.h"
#include "QorUI/window.h"

int PaintManager::SetTimer(MControl* control, UINT key, UINT elapse_ms) {
  if (!control) return 0;
  for (WindowTimer& t : m_window_timers) {
    if (t.control != control || t.key != key) continue;
    if (!t.killed) return 0;
    if (!m_window || !m_window->SetTimer(t.id, elapse_ms)) return 0;
    t.killed = false;
    return 1;
  }
  const UINT id = (m_last_timer_id + 1) % 240;
  m_last_timer_id = id;
  if (!m_window || !m_window->SetTimer(id, elapse_ms)) return 0;
  m_window_timers.push_back({key, id, false, control});
  return 1;
}

int PaintManager::KillTimer(MControl* control, UINT key) {
  for (WindowTimer& t : m_window_timers) {
    if (t.control != control || t.key != key) continue;
    if (m_window && !t.killed) m_window->KillTimer(t.id);
    t.killed = true;
    return 1;
  }
  return 0;
}

int PaintManager::KillTimer(MControl* control) {
  std::vector<UINT> running;
  for (const WindowTimer& t : m_window_timers)
    if (t.control == control && !t.killed) running.push_back(t.id);
  const auto n = std::erase_if(m_window_timers,
                               [control](const WindowTimer& t) { return t.control == control; });
  // A wrapped id may still be used by another control's live entry.
  for (UINT id : running) {
    const bool shared = std::any_of(m_window_timers.begin(), m_window_timers.end(),
                                    [id](const WindowTimer& t) { return t.id == id && !t.killed; });
    if (m_window && !shared) m_window->KillTimer(id);
  }
  return static_cast<int>(n);
}

void PaintManager::ClearTimers() {
  for (const WindowTimer& t : m_window_timers)
    if (m_window && !t.killed) m_window->KillTimer(t.id);
  m_window_timers.clear();
}

bool PaintManager::OnTimerMessage(UINT id) {
  // The overlay box runs on its own timers, so every id reaches the controls.
  bool any = false;
  for (std::size_t i = 0; i < m_window_timers.size(); ++i) {
    const WindowTimer t = m_window_timers[i];
    if (t.id == id && !t.killed) {
      t.control->OnTimer();
      any = true;
    }
  }
  return any;
}

UINT PaintManager::SetMTimer(UINT period_ms) {
  if (m_mtimer_id) BrelTimer::KillTimer(m_mtimer_id);
  m_mtimer_id = BrelTimer::SetTimer(period_ms, std::string(), 0);
  return m_mtimer_id;
}

void PaintManager::KillMTimer(UINT id) {
  BrelTimer::KillTimer(id);
  if (id == m_mtimer_id) m_mtimer_id = 0;
}

void PaintManager::KillMTimer() {
  BrelTimer::KillTimer();
  m_mtimer_id = 0;
}

int PaintManager::AddMTimer(MControl* control) {
  if (!control) return 0;
  m_mtimer_controls.push_back(control);
  return 1;
}

int PaintManager::DeleteZynTimer(MControl* control) {
  auto it = std::find(m_mtimer_controls.begin(), m_mtimer_controls.end(), control);
  if (it == m_mtimer_controls.end()) return 0;
  m_mtimer_controls.erase(it);
  return 1;
}

void PaintManager::OnMTimer(UINT id) {
  if (id == 0 || id != m_mtimer_id) return;
  ++m_dispatch_depth;
  for (std::size_t i = 0; i < m_mtimer_controls.size(); ++i) {
    MControl* c = m_mtimer_controls[i];
    if (c->IsRunTimer() && c->IsVisible() && c->IsParentVisible()) c->OnTimer();
  }
  if (--m_dispatch_depth == 0) FlushDeferred();
}
