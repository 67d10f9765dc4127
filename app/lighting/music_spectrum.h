// The music analysis: loopback samples to 256 spectrum bands, one frame at a time.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>

struct kiss_fftr_state;

namespace lighting {

constexpr int kBandCount = 256;

enum class SpectrumWindow { kHann = 1, kHamming = 2, kBlackman = 3 };
enum class SpectrumSmoothing { kBlockAverage = 0, kMovingAverage = 1 };

// Pure and allocation-free after construction: a frame is Decay, any number of
// AddPacket calls, then Transform. Not thread-safe; the render thread owns it.
class MusicSpectrum {
 public:
  static constexpr int kRingSize = 256;
  static constexpr int kFftPoints = 512;
  static constexpr int kUsedBins = 64;

  MusicSpectrum();
  ~MusicSpectrum();
  MusicSpectrum(const MusicSpectrum&) = delete;
  MusicSpectrum& operator=(const MusicSpectrum&) = delete;

  void SetGain(float gain) { m_gain = gain; }
  void SetWindow(SpectrumWindow window) { m_window = window; }
  void SetSmoothing(SpectrumSmoothing mode, int half_width);
  void SetDisplayFollow(float factor) { m_follow = factor; }

  // Clears the bands, the display bands and the sample ring.
  void Clear();
  // Forgets the samples only, so the bars fall as in silence.
  void ClearRing();

  void Decay();
  // `values` are interleaved 32-bit float samples; every four consecutive values
  // become one ring sample, ceil(frames / 4) of them, never reading past the packet.
  void AddPacket(std::span<const float> values, std::size_t frames);
  // FFT of the ring, band mapping, smoothing and display follow.
  void Transform();

  const std::array<float, kBandCount>& Bands() const { return m_bands; }
  const std::array<float, kBandCount>& DisplayBands() const { return m_display; }
  // For tests that start from a known spectrum.
  std::array<float, kBandCount>& MutableBands() { return m_bands; }

 private:
  const std::array<float, kRingSize>& WindowTable() const;
  void SmoothMovingAverage();
  void SmoothBlockAverage();

  struct FftDeleter {
    void operator()(kiss_fftr_state* cfg) const;
  };

  float m_gain = 270.0f;
  float m_decay = 0.80f;
  float m_follow = 1.0f;
  SpectrumWindow m_window = SpectrumWindow::kHann;
  SpectrumSmoothing m_smoothing = SpectrumSmoothing::kMovingAverage;
  int m_half_width = 8;

  std::array<float, kBandCount> m_bands{};
  std::array<float, kBandCount> m_display{};
  std::array<float, kRingSize> m_ring{};
  std::size_t m_ring_next = 0;  // index of the oldest sample

  std::array<float, kRingSize> m_hann{};
  std::array<float, kRingSize> m_hamming{};
  std::array<float, kRingSize> m_blackman{};
  std::array<float, kRingSize> m_weights{};

  std::unique_ptr<kiss_fftr_state, FftDeleter> m_fft;
  std::array<float, kFftPoints> m_time{};
  // kiss_fft_cpx is two floats; kept as a flat array so the header needs no KissFFT.
  std::array<float, 2 * (kFftPoints / 2 + 1)> m_freq{};
  std::array<float, kBandCount> m_scratch{};
};

}  // namespace lighting
