// Music lighting for command family 2: the keyboard draws its own effect and
// only gets a level byte, taken from the loopback audio at a fixed period.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "QorUI/types.h"
#include "platform/audio_loopback.h"

namespace lighting {

// |samples[count - 10]| >> 8 (0..128), the audio level MusicLevelByte scales, for a block of
// `count` frames of interleaved samples; 0 for an empty block or one of fewer than 10.
int MusicLevel(std::span<const std::int16_t> samples, std::size_t count);

}  // namespace lighting

class MusicLevelCapture {
 public:
  static constexpr int kDefaultPeriodMs = 33;

  // Called on the capture thread with the level (0..128) of each period.
  using LevelHandler = std::function<void(int level)>;

  MusicLevelCapture(std::unique_ptr<AudioLoopback<std::int16_t>> capture, LevelHandler handler);
  ~MusicLevelCapture();
  MusicLevelCapture(const MusicLevelCapture&) = delete;
  MusicLevelCapture& operator=(const MusicLevelCapture&) = delete;

  // Starts the capture thread once; later calls do nothing.
  void Start();
  bool IsRunning() const { return m_thread.joinable(); }

  // The period box: 33, 66 or 99 ms; 0 (an item without data) keeps the current one.
  void SetPeriod(int milliseconds);
  int Period() const { return m_period_ms; }

  // The capture runs from the start; the window may pause it while music
  // lighting is not shown, so the sound server does no work for it.
  void SetActive(bool active);

  // One period's work: reads every waiting packet and hands the level of the
  // newest (0 when none waited) to the handler. Returns that level; nothing is
  // handed on while paused.
  int Step();

 private:
  void CaptureLoop(std::stop_token stop);

  std::unique_ptr<AudioLoopback<std::int16_t>> m_capture;
  LevelHandler m_handler;
  std::atomic<int> m_period_ms{kDefaultPeriodMs};
  std::atomic<bool> m_active{true};
  std::array<std::int16_t, AudioLoopback<std::int16_t>::kPacketValues> m_packet{};

  std::mutex m_wake_lock;  // pairs with m_wake so a stop request ends the pause
  std::condition_variable_any m_wake;
  std::jthread m_thread;
};
