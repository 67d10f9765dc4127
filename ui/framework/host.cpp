// The installed window host and the thread-safe task queue all hosts share.
#include "QorUI/host.h"

#include <atomic>

namespace {
// The process-wide host; read from any thread by Post callers.
std::atomic<Host*> g_host{nullptr};
std::unique_ptr<Host>& OwnedHost() {
  static std::unique_ptr<Host> owned;
  return owned;
}
}  // namespace

Host* Host::Current() {
  return g_host.load();
}

void Host::Install(std::unique_ptr<Host> host) {
  g_host.store(host.get());
  OwnedHost() = std::move(host);
}

void Host::Post(std::function<void()> task) {
  bool first;
  {
    std::lock_guard lock(m_posted_lock);
    first = m_posted.empty();
    m_posted.push_back(std::move(task));
  }
  if (first) Wake();
}

void Host::PostQuit(int code) {
  {
    std::lock_guard lock(m_posted_lock);
    m_quit = true;
    m_quit_code = code;
  }
  Wake();
}

bool Host::IsQuitRequested() const {
  std::lock_guard lock(m_posted_lock);
  return m_quit;
}

int Host::GetQuitCode() const {
  std::lock_guard lock(m_posted_lock);
  return m_quit_code;
}

void Host::ClearQuit() {
  std::lock_guard lock(m_posted_lock);
  m_quit = false;
}

bool Host::HasPosted() const {
  std::lock_guard lock(m_posted_lock);
  return !m_posted.empty();
}

void Host::RunPosted() {
  // Tasks posted while these run wait for the next round, so a task that
  // posts itself again cannot starve the loop.
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(m_posted_lock);
    batch.swap(m_posted);
  }
  for (auto& task : batch) task();
}
