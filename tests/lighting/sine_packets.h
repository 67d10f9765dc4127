// Stereo 48 kHz packets of a sine, as the loopback capture delivers them.
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

#include "platform/audio_loopback.h"

class SinePackets {
 public:
  SinePackets(double frequency, double amplitude)
      : m_frequency(frequency), m_amplitude(amplitude) {}

  std::vector<float> Next() {
    using Loopback = AudioLoopback<float>;
    std::vector<float> packet(Loopback::kPacketValues);
    for (int f = 0; f < Loopback::kPacketFrames; ++f, ++m_frame) {
      const double t = static_cast<double>(m_frame) / Loopback::kRate;
      const float v =
          static_cast<float>(m_amplitude * std::sin(2.0 * std::numbers::pi * m_frequency * t));
      packet[2 * f] = v;
      packet[2 * f + 1] = v;
    }
    return packet;
  }

 private:
  double m_frequency;
  double m_amplitude;
  long m_frame = 0;
};
