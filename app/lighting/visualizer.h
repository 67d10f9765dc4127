// Music lighting for command family 1: loopback capture, spectrum, patterns and
// the published picture the worker colours the keys from.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "keys/keyboard_layout.h"
#include "lighting/music_patterns.h"
#include "lighting/music_picture.h"
#include "lighting/music_spectrum.h"
#include "lighting/stream_colours.h"
#include "platform/audio_loopback.h"
#include "store/store_rows.h"

class Visualizer {
 public:
  static constexpr float kStartGain = 270.0f;
  static constexpr float kHueSpeed = 5.0f;

  // `capture` may be null (no sound server support built in a test).
  explicit Visualizer(std::unique_ptr<AudioLoopback<float>> capture);
  ~Visualizer();
  Visualizer(const Visualizer&) = delete;
  Visualizer& operator=(const Visualizer&) = delete;

  // The capture sources offered; there is one, the default output's loopback.
  static constexpr std::array<std::string_view, 1> kSourceNames = {"Default Loopback Device"};

  // Start music: default parameters, cleared bands, capture source 0, and the
  // render thread (started once; later calls only reset the analysis).
  void StartMusic();
  // A source past the end of the list is source 0. A change of the default
  // output needs no call: the capture follows it by itself.
  void OpenCapture(int source);

  // The capture runs only while the flag is set; setting it ends an idle pause at once.
  void SetMusicActive(bool active);
  bool IsMusicActive() const { return m_music_active; }

  // The bar pattern of a new music layer: the hue circle on per-key RGB models.
  static int DefaultForeMode(bool rgb_keyboard) { return rgb_keyboard ? 17 : 1; }

  // Hands a loaded music layer to the renderer and reopens its capture source.
  void ApplyMusicLayer(const MusicLayerRow& layer);

  // Layer values; safe from any thread, taken up by the next frame.
  void SetGain(int gain) { m_gain = gain; }
  void SetForeMode(int pattern) { m_foremode = pattern; }
  void SetBackMode(int pattern) { m_backmode = pattern; }
  void SetBackBrightness(int percent) { m_back_brightness = percent; }

  // One frame of the render thread: analyse, draw, compose, publish, advance the hue.
  void RenderFrame();

  // Stream step: colours the matrix keys from the published picture.
  void ColourKeys(const KeyboardLayout& layout, std::vector<KeyColour>& out) const;
  void CopyPublished(lighting::MusicPicture& out) const;

  float Hue() const { return m_hue.load(); }
  const lighting::MusicSpectrum& Spectrum() const { return m_spectrum; }
  lighting::MusicSpectrum& Spectrum() { return m_spectrum; }

 private:
  void Analyse();
  void RenderLoop(std::stop_token stop);

  std::unique_ptr<AudioLoopback<float>> m_capture;

  std::atomic<bool> m_music_active{false};
  std::atomic<bool> m_resumed{false};
  std::atomic<int> m_gain{static_cast<int>(kStartGain)};
  std::atomic<int> m_foremode{1};
  std::atomic<int> m_backmode{0};
  std::atomic<int> m_back_brightness{100};

  // Owned by the render thread (or the caller of RenderFrame in tests).
  lighting::MusicSpectrum m_spectrum;
  lighting::PatternPainter m_painter;
  lighting::MusicPicture m_background;
  lighting::MusicPicture m_foreground;
  std::array<float, AudioLoopback<float>::kPacketValues> m_packet{};
  std::atomic<float> m_hue{0.0f};  // read by observers while the renderer turns it

  // The two output pictures used alternately; the renderer composes into the
  // one not published and swaps under the lock, the worker samples under it.
  mutable std::mutex m_published_lock;
  std::array<lighting::MusicPicture, 2> m_output;
  int m_published = 0;

  std::mutex m_wake_lock;  // pairs with m_wake so a stop request ends a pause at once
  std::condition_variable_any m_wake;
  std::jthread m_render_thread;
};
