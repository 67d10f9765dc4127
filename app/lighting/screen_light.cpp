// The screen sampling thread and the grid it publishes.
#include "lighting/screen_light.h"

ScreenLight::ScreenLight(CaptureFactory factory) : m_factory(std::move(factory)) {}

ScreenLight::~ScreenLight() {
  if (m_thread.joinable()) {
    m_thread.request_stop();
    m_wake.notify_all();
  }
}

bool ScreenLight::Start(const KeyboardLayout& layout) {
  if (lighting::UsedRows(layout) < 1 || lighting::UsedColumns(layout) < 1) return false;
  m_rows = lighting::UsedRows(layout);
  m_columns = lighting::UsedColumns(layout);
  if (!m_thread.joinable()) {
    m_thread = std::jthread([this](std::stop_token stop) { SampleLoop(stop); });
  }
  return true;
}

void ScreenLight::SetActive(bool active) {
  {
    std::lock_guard lock(m_wake_lock);
    m_active = active;
  }
  if (active) m_wake.notify_all();
}

bool ScreenLight::SampleOnce(ScreenCapture& capture) {
  const std::optional<ScreenPixels> screen = capture.Capture();
  if (!screen) return false;
  lighting::FillScreenGrid(m_reduction.Reduce(*screen), m_rows, m_columns, m_sampled);
  std::lock_guard lock(m_grid_lock);
  m_grid = m_sampled;
  return true;
}

void ScreenLight::ColourKeys(const KeyboardLayout& layout, std::vector<KeyColour>& out) const {
  std::lock_guard lock(m_grid_lock);
  lighting::ColourKeysFromGrid(m_grid, layout, out);
}

lighting::ScreenGrid ScreenLight::Grid() const {
  std::lock_guard lock(m_grid_lock);
  return m_grid;
}

void ScreenLight::SampleLoop(std::stop_token stop) {
  std::unique_ptr<ScreenCapture> capture;
  while (!stop.stop_requested()) {
    const auto started = std::chrono::steady_clock::now();
    const bool active = m_active;
    auto next = started + kIdlePause;
    if (active) {
      // A missing display is tried again at the idle pace.
      if (!capture && m_factory) capture = m_factory();
      if (capture) {
        SampleOnce(*capture);
        next = started + kSamplePeriod;
      }
    }
    std::unique_lock lock(m_wake_lock);
    m_wake.wait_until(lock, stop, next, [this, active] { return !active && m_active; });
  }
}
