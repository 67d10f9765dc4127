// Screen lighting: a thread that samples the screen into the key grid while
// screen lighting is active.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "keys/keyboard_layout.h"
#include "lighting/screen_cells.h"
#include "lighting/stream_colours.h"
#include "platform/screen_capture.h"

class ScreenLight {
 public:
  // Sampling is paced rather than back to back: 20 samples a second follow the
  // screen closely enough for lighting and keep the capture cheap.
  static constexpr std::chrono::milliseconds kSamplePeriod{50};
  static constexpr std::chrono::milliseconds kIdlePause{1000};

  // The capture is made on the sampling thread (X connections stay on one thread).
  using CaptureFactory = std::function<std::unique_ptr<ScreenCapture>()>;

  explicit ScreenLight(CaptureFactory factory);
  ~ScreenLight();
  ScreenLight(const ScreenLight&) = delete;
  ScreenLight& operator=(const ScreenLight&) = delete;

  // Part of loading the music layer: takes the matrix size and starts the
  // thread the first time. An empty matrix starts nothing (returns false).
  bool Start(const KeyboardLayout& layout);

  void SetActive(bool active);
  bool IsActive() const { return m_active; }
  bool IsRunning() const { return m_thread.joinable(); }

  // One sample through `capture`, on the sampling thread (or, in a test, with
  // no thread started); false (grid unchanged) when the screen could not be read.
  bool SampleOnce(ScreenCapture& capture);

  // Stream step: the key at matrix row i, column j takes grid entry (i, j).
  void ColourKeys(const KeyboardLayout& layout, std::vector<KeyColour>& out) const;
  lighting::ScreenGrid Grid() const;

 private:
  void SampleLoop(std::stop_token stop);

  CaptureFactory m_factory;
  std::atomic<bool> m_active{false};
  std::atomic<int> m_rows{0};
  std::atomic<int> m_columns{0};

  lighting::ScreenReduction m_reduction;  // sampling thread only
  lighting::ScreenGrid m_sampled{};       // sampling thread only

  mutable std::mutex m_grid_lock;  // guards m_grid, read by the worker
  lighting::ScreenGrid m_grid{};

  std::mutex m_wake_lock;  // pairs with m_wake: activation or stop ends a pause
  std::condition_variable_any m_wake;
  std::jthread m_thread;
};
