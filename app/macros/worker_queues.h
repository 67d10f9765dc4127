// The worker's two queues, each with a lock of its own: job codes appended by the window thread,
// and playback items (macros from the key filter monitor, texts to type) appended by others.
// The worker takes from their fronts.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>

class JobQueue {
 public:
  void Push(int code);
  std::optional<int> Front() const;
  // Removes the front code (the one Front gave; the window thread only appends).
  void PopFront();
  bool Empty() const;

 private:
  // Guards the codes.
  mutable std::mutex m_jobs_lock;
  std::deque<int> m_codes;
};

// A macro to play or a text to type, in the order they were asked for.
struct PlaybackItem {
  int macro_id = 0;  // when not 0, a macro
  std::string text;  // otherwise, a text to paste

  bool operator==(const PlaybackItem&) const = default;
};

class PlaybackQueue {
 public:
  void Push(PlaybackItem item);
  std::optional<PlaybackItem> PopFront();
  bool Empty() const;

 private:
  // Guards the items.
  mutable std::mutex m_playback_lock;
  std::deque<PlaybackItem> m_items;
};
