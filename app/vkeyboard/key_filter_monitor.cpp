// The monitor thread's loop.
#include "vkeyboard/key_filter_monitor.h"

#include <algorithm>

void KeyFilterMonitor::RegisterProxy(MonitorProxy* proxy) {
  std::lock_guard lock(m_proxies_lock);
  if (std::find(m_proxies.begin(), m_proxies.end(), proxy) == m_proxies.end()) {
    m_proxies.push_back(proxy);
  }
}

void KeyFilterMonitor::UnregisterProxy(MonitorProxy* proxy) {
  std::lock_guard lock(m_proxies_lock);
  std::erase(m_proxies, proxy);
}

void KeyFilterMonitor::Start() {
  if (m_thread.joinable()) return;
  m_running = true;
  m_thread = std::thread(&KeyFilterMonitor::Run, this);
}

void KeyFilterMonitor::Stop() {
  if (!m_thread.joinable()) return;
  m_running = false;
  m_source.Interrupt();
  m_thread.join();
}

void KeyFilterMonitor::Run() {
  std::vector<FilteredKey> keys;
  while (m_running) {
    if (m_source.Wait(keys) != WaitResult::kKeys) continue;
    std::lock_guard lock(m_proxies_lock);
    for (const FilteredKey& key : keys) {
      for (MonitorProxy* proxy : m_proxies) {
        if (proxy->OnFilteredKey(key.key_code, key.pressed) != 0) break;
      }
    }
  }
}
