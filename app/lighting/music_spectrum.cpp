// Music analysis: ring of decimated samples, windowed 512-point real FFT
// (KissFFT, scaled by 1/512), log/linear band mapping, smoothing.
#include "lighting/music_spectrum.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lighting {
namespace {

static_assert(sizeof(kiss_fft_cpx) == 2 * sizeof(float), "bins are stored as float pairs");

float Mean(const std::array<float, kBandCount>& b, int first, int last) {
  float sum = 0.0f;
  for (int i = first; i <= last; ++i) sum += b[i];
  return sum / static_cast<float>(last - first + 1);
}

}  // namespace

void MusicSpectrum::FftDeleter::operator()(kiss_fftr_state* cfg) const {
  kiss_fftr_free(cfg);
}

MusicSpectrum::MusicSpectrum() : m_fft(kiss_fftr_alloc(kFftPoints, 0, nullptr, nullptr)) {
  const double n = kRingSize - 1;
  for (int i = 0; i < kRingSize; ++i) {
    const double a = 2.0 * std::numbers::pi * i / n;
    m_hann[i] = static_cast<float>(0.5 - 0.5 * std::cos(a));
    m_hamming[i] = static_cast<float>(0.54 - 0.46 * std::cos(a));
    m_blackman[i] = static_cast<float>(0.42 - 0.5 * std::cos(a) + 0.08 * std::cos(2.0 * a));
    m_weights[i] = 0.04f + 0.5f * static_cast<float>(i) / 256.0f;
  }
}

MusicSpectrum::~MusicSpectrum() = default;

void MusicSpectrum::SetSmoothing(SpectrumSmoothing mode, int half_width) {
  m_smoothing = mode;
  m_half_width = std::clamp(half_width, 1, kBandCount / 2 - 1);
}

void MusicSpectrum::Clear() {
  m_bands.fill(0.0f);
  m_display.fill(0.0f);
  ClearRing();
}

void MusicSpectrum::ClearRing() {
  m_ring.fill(0.0f);
  m_ring_next = 0;
}

void MusicSpectrum::Decay() {
  for (float& b : m_bands) b *= m_decay;
}

void MusicSpectrum::AddPacket(std::span<const float> values, std::size_t frames) {
  const std::size_t groups = std::min((frames + 3) / 4, values.size() / 4);
  const float scale = 0.25f * 2.0f * m_gain;
  for (std::size_t g = 0; g < groups; ++g) {
    const float* x = &values[4 * g];
    m_ring[m_ring_next] = (x[0] + x[1] + x[2] + x[3]) * scale;
    m_ring_next = (m_ring_next + 1) % kRingSize;
  }
}

const std::array<float, MusicSpectrum::kRingSize>& MusicSpectrum::WindowTable() const {
  switch (m_window) {
    case SpectrumWindow::kHamming:
      return m_hamming;
    case SpectrumWindow::kBlackman:
      return m_blackman;
    case SpectrumWindow::kHann:
      break;
  }
  return m_hann;
}

void MusicSpectrum::Transform() {
  // Each ring entry is a complex value whose real and imaginary parts are both
  // the sample; both halves of a pair get that entry's window weight.
  const auto& window = WindowTable();
  for (int i = 0; i < kRingSize; ++i) {
    const float v = m_ring[(m_ring_next + i) % kRingSize] * window[i];
    m_time[2 * i] = v;
    m_time[2 * i + 1] = v;
  }
  kiss_fftr(m_fft.get(), m_time.data(), reinterpret_cast<kiss_fft_cpx*>(m_freq.data()));
  constexpr float kScale = 1.0f / kFftPoints;
  for (float& f : m_freq) f *= kScale;

  // Bin 0 carries the DC offset; it takes bin 1's real part. The weight table
  // runs over the first 256 floats, real and imaginary parts alike.
  m_freq[0] = m_freq[2];
  for (int i = 0; i < kRingSize; ++i) m_freq[i] *= m_weights[i];

  for (int k = 0; k < kUsedBins; ++k) {
    const float m = std::hypot(m_freq[2 * k], m_freq[2 * k + 1]);
    const float v = std::min(1.0f, 0.5f * std::log10(1.1f * m) + 0.9f * m);
    const float band = std::max(0.0f, std::max(m_bands[4 * k], v));
    std::fill_n(&m_bands[4 * k], 4, band);
  }

  if (m_smoothing == SpectrumSmoothing::kMovingAverage) {
    SmoothMovingAverage();
  } else {
    SmoothBlockAverage();
  }

  for (int k = 0; k < kBandCount; ++k) m_display[k] += (m_bands[k] - m_display[k]) * m_follow;
}

void MusicSpectrum::SmoothMovingAverage() {
  const int h = m_half_width;
  // The edge means are all taken from the bands as they were before any is written.
  for (int i = 0; i < h; ++i) {
    m_scratch[i] = Mean(m_bands, 0, i + h);
    m_scratch[kBandCount - 1 - i] = Mean(m_bands, kBandCount - 1 - i - h, kBandCount - 1);
  }
  for (int i = 0; i < h; ++i) {
    m_bands[i] = m_scratch[i];
    m_bands[kBandCount - 1 - i] = m_scratch[kBandCount - 1 - i];
  }
  // The middle runs in place, left to right, so each band sees its smoothed left neighbours.
  for (int i = h; i < kBandCount - h; ++i) {
    float sum = m_bands[i];
    for (int j = 1; j <= h; ++j) sum += m_bands[i - j] + m_bands[i + j];
    m_bands[i] = sum / static_cast<float>(2 * h + 1);
  }
}

void MusicSpectrum::SmoothBlockAverage() {
  const int h = m_half_width;
  for (int first = 0; first < kBandCount; first += h) {
    const int last = std::min(first + h, kBandCount) - 1;
    std::fill(&m_bands[first], &m_bands[last] + 1, Mean(m_bands, first, last));
  }
}

}  // namespace lighting
