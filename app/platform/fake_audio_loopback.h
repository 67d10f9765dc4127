// Test double of the loopback capture: packets are queued by the test.
#pragma once

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/audio_loopback.h"

template <typename Sample>
class FakeAudioLoopback final : public AudioLoopback<Sample> {
 public:
  void Push(std::vector<Sample> packet) {
    std::lock_guard lock(m_packets_lock);
    m_packets.push_back(std::move(packet));
  }

  std::size_t ReadPacket(std::span<Sample> out) override {
    std::lock_guard lock(m_packets_lock);
    if (m_packets.empty()) return 0;
    const std::vector<Sample>& packet = m_packets.front();
    const std::size_t values = std::min(out.size(), packet.size());
    const std::size_t frames = values / AudioLoopback<Sample>::kChannels;
    std::copy_n(packet.begin(), frames * AudioLoopback<Sample>::kChannels, out.begin());
    m_packets.pop_front();
    return frames;
  }

  void Reopen() override { ++m_reopens; }
  void SetPaused(bool paused) override { m_paused = paused; }
  bool Paused() const { return m_paused; }
  bool IsCapturing() const override { return true; }

  int Reopens() const { return m_reopens; }
  std::size_t Waiting() const {
    std::lock_guard lock(m_packets_lock);
    return m_packets.size();
  }

 private:
  mutable std::mutex m_packets_lock;
  std::deque<std::vector<Sample>> m_packets;
  std::atomic<int> m_reopens{0};
  std::atomic<bool> m_paused{false};
};
