// BrelTimer: periodic host timers owned by an object, with the class-wide
// list that maps a timer id back to its owner.
#include "QorUI/brel_timer.h"

#include <algorithm>
#include <memory>

#include "QorUI/host.h"

namespace {
// Every live BrelTimer object (UI thread only).
std::vector<BrelTimer*>& LiveTimers() {
  static std::vector<BrelTimer*> live;
  return live;
}
}  // namespace

BrelTimer::BrelTimer() {
  LiveTimers().push_back(this);
}

BrelTimer::~BrelTimer() {
  KillTimer();
  std::erase(LiveTimers(), this);
}

UINT BrelTimer::SetTimer(UINT period_ms, const std::string& name, int application) {
  Host* host = Host::Current();
  if (!host) return 0;
  auto id_slot = std::make_shared<UINT>(0);
  const UINT id = host->AddTimer(std::max(period_ms, 1u), [this, id_slot] { Fire(*id_slot); });
  if (id == 0) return 0;
  *id_slot = id;
  m_timers.push_back({id, name, application});
  return id;
}

void BrelTimer::Fire(UINT id) {
  auto it = std::find_if(m_timers.begin(), m_timers.end(), [id](auto& e) { return e.id == id; });
  if (it == m_timers.end()) return;
  const bool application = it->application != 0;
  const std::string name = it->name;
  OnMTimer(id);
  if (application) OnMTimer(id, name);
}

int BrelTimer::KillTimer(UINT id) {
  auto it = std::find_if(m_timers.begin(), m_timers.end(), [id](auto& e) { return e.id == id; });
  if (it != m_timers.end()) {
    if (Host* host = Host::Current()) host->RemoveTimer(id);
    m_timers.erase(it);
  }
  return static_cast<int>(m_timers.size());
}

int BrelTimer::KillTimer(const std::string& name) {
  auto it =
      std::find_if(m_timers.begin(), m_timers.end(), [&name](auto& e) { return e.name == name; });
  if (it != m_timers.end()) return KillTimer(it->id);
  return static_cast<int>(m_timers.size());
}

void BrelTimer::KillTimer() {
  while (!m_timers.empty()) KillTimer(m_timers.back().id);
}

std::string BrelTimer::GetTimerName(UINT id) const {
  for (const Entry& e : m_timers)
    if (e.id == id) return e.name;
  return std::string();
}

int BrelTimer::IsAppTimer(UINT id) const {
  for (const Entry& e : m_timers)
    if (e.id == id) return e.application;
  return 0;
}

int BrelTimer::GetTimerIsRun(UINT id) const {
  return std::any_of(m_timers.begin(), m_timers.end(), [id](auto& e) { return e.id == id; });
}

int BrelTimer::GetTimerIsRun(const std::string& name) const {
  return std::any_of(m_timers.begin(), m_timers.end(), [&](auto& e) { return e.name == name; });
}

BrelTimer* BrelTimer::GetZynTimer(UINT id) {
  for (BrelTimer* t : LiveTimers())
    if (t->GetTimerIsRun(id)) return t;
  return nullptr;
}
