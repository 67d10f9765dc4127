// Test double of the screen capture: shows whatever picture the test set.
#pragma once

#include <mutex>
#include <vector>

#include "platform/screen_capture.h"

class FakeScreenCapture final : public ScreenCapture {
 public:
  // Thread-safe; the picture is copied for the next capture.
  void Show(std::vector<std::uint32_t> pixels, int width, int height) {
    std::lock_guard lock(m_picture_lock);
    m_next = std::move(pixels);
    m_width = width;
    m_height = height;
  }
  void Fail() { Show({}, 0, 0); }

  std::optional<ScreenPixels> Capture() override {
    std::lock_guard lock(m_picture_lock);
    ++m_captures;
    if (m_next.empty()) return std::nullopt;
    m_shown = m_next;
    return ScreenPixels{m_shown.data(), m_width, m_height, m_width};
  }

  int Captures() const {
    std::lock_guard lock(m_picture_lock);
    return m_captures;
  }

 private:
  mutable std::mutex m_picture_lock;
  std::vector<std::uint32_t> m_next;
  std::vector<std::uint32_t> m_shown;
  int m_width = 0;
  int m_height = 0;
  int m_captures = 0;
};
