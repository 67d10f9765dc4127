// The family 2 level: one sample of the newest audio per period.
#include "lighting/music_level.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace lighting {

int MusicLevel(std::span<const std::int16_t> samples, std::size_t count) {
  if (count < 10 || count - 10 >= samples.size()) return 0;
  return std::abs(static_cast<int>(samples[count - 10])) >> 8;
}

}  // namespace lighting

MusicLevelCapture::MusicLevelCapture(std::unique_ptr<AudioLoopback<std::int16_t>> capture,
                                     LevelHandler handler)
    : m_capture(std::move(capture)), m_handler(std::move(handler)) {}

MusicLevelCapture::~MusicLevelCapture() {
  if (m_thread.joinable()) {
    m_thread.request_stop();
    m_wake.notify_all();
  }
}

void MusicLevelCapture::Start() {
  if (!m_thread.joinable()) {
    m_thread = std::jthread([this](std::stop_token stop) { CaptureLoop(stop); });
  }
}

void MusicLevelCapture::SetPeriod(int milliseconds) {
  if (milliseconds > 0) m_period_ms = milliseconds;
}

void MusicLevelCapture::SetActive(bool active) {
  m_active = active;
  if (m_capture) m_capture->SetPaused(!active);
}

int MusicLevelCapture::Step() {
  if (!m_active) return 0;
  // Every waiting packet is read so the next period starts from fresh audio;
  // the keyboard shows one level per period, so only the newest one is handed on.
  std::size_t newest = 0;
  if (m_capture) {
    while (const std::size_t frames = m_capture->ReadPacket(m_packet)) newest = frames;
  }
  const int level = lighting::MusicLevel(m_packet, newest);
  if (m_handler) m_handler(level);
  return level;
}

void MusicLevelCapture::CaptureLoop(std::stop_token stop) {
  while (!stop.stop_requested()) {
    Step();
    std::unique_lock lock(m_wake_lock);
    m_wake.wait_for(lock, stop, std::chrono::milliseconds(m_period_ms.load()),
                    [] { return false; });
  }
}
