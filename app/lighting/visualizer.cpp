// The music renderer: a thread that turns loopback audio into a 256 x 64
// picture every 15 ms while music lighting is active.
#include "lighting/visualizer.h"

#include <chrono>

using namespace std::chrono_literals;

namespace {
constexpr auto kFramePause = 15ms;
constexpr auto kIdlePause = 500ms;
}  // namespace

Visualizer::Visualizer(std::unique_ptr<AudioLoopback<float>> capture)
    : m_capture(std::move(capture)) {
  // Nothing reads the capture until music lighting is shown.
  if (m_capture) m_capture->SetPaused(true);
}

Visualizer::~Visualizer() {
  if (m_render_thread.joinable()) {
    m_render_thread.request_stop();
    m_wake.notify_all();
  }
}

void Visualizer::StartMusic() {
  m_gain = static_cast<int>(kStartGain);
  // The render thread reads the spectrum; it is only reconfigured before the
  // thread exists. Later starts leave the running analysis alone.
  if (!m_render_thread.joinable()) {
    m_spectrum.SetWindow(lighting::SpectrumWindow::kHann);
    m_spectrum.SetSmoothing(lighting::SpectrumSmoothing::kMovingAverage, 8);
    m_spectrum.SetDisplayFollow(1.0f);
    m_spectrum.Clear();
  }
  OpenCapture(0);
  if (!m_render_thread.joinable()) {
    m_render_thread = std::jthread([this](std::stop_token stop) { RenderLoop(stop); });
  }
}

void Visualizer::OpenCapture(int source) {
  if (source < 0 || source >= static_cast<int>(kSourceNames.size())) source = 0;
  if (m_capture) m_capture->Reopen();
}

void Visualizer::ApplyMusicLayer(const MusicLayerRow& layer) {
  OpenCapture(layer.deviceindex);
  SetGain(layer.fore_amplitude);
  SetBackMode(layer.backmode);
  SetBackBrightness(layer.backb_right);
  SetForeMode(layer.foremode);
}

void Visualizer::SetMusicActive(bool active) {
  if (m_capture) m_capture->SetPaused(!active);
  if (active) m_resumed = true;
  {
    std::lock_guard lock(m_wake_lock);
    m_music_active = active;
  }
  if (active) m_wake.notify_all();
}

void Visualizer::Analyse() {
  m_spectrum.SetGain(static_cast<float>(m_gain.load()));
  m_spectrum.Decay();
  // Samples from before a pause are not the sound playing now.
  if (m_resumed.exchange(false)) m_spectrum.ClearRing();
  if (m_capture) {
    bool any = false;
    while (const std::size_t frames = m_capture->ReadPacket(m_packet)) {
      m_spectrum.AddPacket(
          std::span<const float>(m_packet.data(), frames * AudioLoopback<float>::kChannels),
          frames);
      any = true;
    }
    // Without a stream the last samples would be analysed again every frame and
    // freeze the bars; a lost output reads as silence instead.
    if (!any && !m_capture->IsCapturing()) m_spectrum.ClearRing();
  }
  m_spectrum.Transform();
}

void Visualizer::RenderFrame() {
  Analyse();
  float hue = m_hue;
  if (hue >= 360.0f) hue = 0.0f;
  if (hue < 0.0f) hue = 360.0f;
  m_painter.Draw(m_background, m_backmode, m_back_brightness, hue);
  m_painter.Draw(m_foreground, m_foremode, 100, hue);
  // Only this thread changes m_published, so reading it unlocked here is safe.
  const int next = 1 - m_published;
  lighting::ComposePicture(m_spectrum.DisplayBands(), m_background, m_foreground, m_output[next]);
  {
    std::lock_guard lock(m_published_lock);
    m_published = next;
  }
  m_hue = hue + kHueSpeed;
}

void Visualizer::ColourKeys(const KeyboardLayout& layout, std::vector<KeyColour>& out) const {
  std::lock_guard lock(m_published_lock);
  lighting::ColourKeysFromPicture(m_output[m_published], layout, out);
}

void Visualizer::CopyPublished(lighting::MusicPicture& out) const {
  std::lock_guard lock(m_published_lock);
  out = m_output[m_published];
}

void Visualizer::RenderLoop(std::stop_token stop) {
  while (!stop.stop_requested()) {
    const bool active = m_music_active;
    if (active) RenderFrame();
    std::unique_lock lock(m_wake_lock);
    m_wake.wait_for(lock, stop, active ? kFramePause : kIdlePause,
                    [this, active] { return !active && m_music_active; });
  }
}
