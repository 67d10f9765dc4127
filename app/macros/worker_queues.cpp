// Queue operations, each under its queue's own lock.
#include "macros/worker_queues.h"

void JobQueue::Push(int code) {
  std::lock_guard lock(m_jobs_lock);
  m_codes.push_back(code);
}

std::optional<int> JobQueue::Front() const {
  std::lock_guard lock(m_jobs_lock);
  if (m_codes.empty()) return std::nullopt;
  return m_codes.front();
}

void JobQueue::PopFront() {
  std::lock_guard lock(m_jobs_lock);
  if (!m_codes.empty()) m_codes.pop_front();
}

bool JobQueue::Empty() const {
  std::lock_guard lock(m_jobs_lock);
  return m_codes.empty();
}

void PlaybackQueue::Push(PlaybackItem item) {
  std::lock_guard lock(m_playback_lock);
  m_items.push_back(std::move(item));
}

std::optional<PlaybackItem> PlaybackQueue::PopFront() {
  std::lock_guard lock(m_playback_lock);
  if (m_items.empty()) return std::nullopt;
  PlaybackItem item = std::move(m_items.front());
  m_items.pop_front();
  return item;
}

bool PlaybackQueue::Empty() const {
  std::lock_guard lock(m_playback_lock);
  return m_items.empty();
}
