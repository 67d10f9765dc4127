// Loopback capture of what the computer plays, read as fixed packets of
// interleaved samples. The real back end is PulseAudio (pulse_loopback.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

template <typename Sample>
class AudioLoopback {
 public:
  // Every back end delivers this format, converted by the sound server when the
  // output runs another one, so the analysis always sees the same packet shape.
  static constexpr int kRate = 48000;
  static constexpr int kChannels = 2;
  static constexpr int kPacketFrames = 480;  // 10 ms
  static constexpr std::size_t kPacketValues = kPacketFrames * kChannels;

  virtual ~AudioLoopback() = default;

  // Copies the oldest waiting packet into `out` (whole frames, at most
  // out.size() values) and returns its frame count; 0, with `out` untouched,
  // when no packet waits. Never blocks. Gaps the server reports are silence.
  virtual std::size_t ReadPacket(std::span<Sample> out) = 0;

  // Drops the current stream and captures the current default output again.
  virtual void Reopen() = 0;

  // While paused the stream stays connected but the server delivers nothing,
  // so a capture nobody reads costs nothing; waiting packets are dropped.
  virtual void SetPaused(bool paused) = 0;

  // True while a stream is connected (paused or not).
  virtual bool IsCapturing() const = 0;
};

// Captures the default output's monitor. Creation never fails: without a
// server the object keeps retrying in the background and reads nothing.
std::unique_ptr<AudioLoopback<float>> CreatePulseFloatLoopback(const std::string& client_name);
std::unique_ptr<AudioLoopback<std::int16_t>> CreatePulsePcmLoopback(const std::string& client_name);
