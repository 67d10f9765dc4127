// The key filter monitor: a thread that waits on the key source (no polling loop) and hands each
// filtered key to the registered proxies, under the monitor lock, until one takes it.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/key_event_source.h"

// What the main window registers: its key handler.
class MonitorProxy {
 public:
  virtual ~MonitorProxy() = default;
  // Nonzero when the key was taken; later proxies then do not see it.
  virtual int OnFilteredKey(int key_code, bool pressed) = 0;
};

class KeyFilterMonitor {
 public:
  explicit KeyFilterMonitor(KeyEventSource& source) : m_source(source) {}
  ~KeyFilterMonitor() { Stop(); }
  KeyFilterMonitor(const KeyFilterMonitor&) = delete;
  KeyFilterMonitor& operator=(const KeyFilterMonitor&) = delete;

  void RegisterProxy(MonitorProxy* proxy);
  void UnregisterProxy(MonitorProxy* proxy);

  // Starts the thread unless it runs.
  void Start();
  // Wakes the thread and waits until it has ended; nothing when it does not run. Never called
  // from a proxy.
  void Stop();
  bool IsRunning() const { return m_thread.joinable(); }

 private:
  void Run();

  KeyEventSource& m_source;
  // Guards the proxy list; held while a key is handed out, so a proxy is never removed while
  // it handles one.
  std::mutex m_proxies_lock;
  std::vector<MonitorProxy*> m_proxies;
  std::atomic<bool> m_running{false};
  std::thread m_thread;
};
