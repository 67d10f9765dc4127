// Cost of music and screen lighting. The pure engine steps run anywhere; the
// whole-path figures (CPU as percent of one core, audio-to-key latency) need a
// sound server and an X screen, which bench/lighting_engines.sh provides.
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "lighting/screen_light.h"
#include "lighting/visualizer.h"
#include "platform/audio_loopback.h"
#include "platform/fake_audio_loopback.h"
#include "platform/screen_capture.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::vector<float> TonePacket(double hz, long& frame) {
  std::vector<float> packet(AudioLoopback<float>::kPacketValues);
  for (int f = 0; f < AudioLoopback<float>::kPacketFrames; ++f, ++frame) {
    const float v = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hz * frame / 48000.0));
    packet[2 * f] = packet[2 * f + 1] = v;
  }
  return packet;
}

// The full-size board: 6 rows of 21 keys.
KeyboardLayout FullSizeLayout() {
  KeyboardLayout layout;
  layout.row_count = 6;
  layout.col_count = 21;
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 21; ++j) layout.grid[i][j] = static_cast<BYTE>(4 + i * 21 + j);
  }
  return layout;
}

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// CPU seconds of another process (user + system), from /proc.
double OtherProcessCpuSeconds(const char* pid) {
  std::ifstream stat(std::string("/proc/") + pid + "/stat");
  std::string field;
  double ticks = 0;
  for (int i = 1; stat >> field && i <= 15; ++i) {
    if (i == 14 || i == 15) ticks += std::stod(field);
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// One renderer frame: analysis of two 10 ms packets, two patterns, compose, publish.
void BM_MusicRenderFrame(benchmark::State& state) {
  auto capture = std::make_unique<FakeAudioLoopback<float>>();
  FakeAudioLoopback<float>* fake = capture.get();
  Visualizer v(std::move(capture));
  v.SetForeMode(17);
  v.SetBackMode(static_cast<int>(state.range(0)));
  long frame = 0;
  std::vector<std::vector<float>> packets;
  for (int i = 0; i < 64; ++i) packets.push_back(TonePacket(1000.0, frame));
  std::size_t next = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fake->Push(packets[next++ % packets.size()]);
    fake->Push(packets[next++ % packets.size()]);
    state.ResumeTiming();
    v.RenderFrame();
  }
}
BENCHMARK(BM_MusicRenderFrame)->Arg(0)->Arg(15)->Arg(18)->Unit(benchmark::kMicrosecond);

// The worker's share of a stream step: every key of a full-size board.
void BM_StreamStepColours(benchmark::State& state) {
  Visualizer v(nullptr);
  v.RenderFrame();
  const KeyboardLayout layout = FullSizeLayout();
  std::vector<KeyColour> colours;
  for (auto _ : state) {
    v.ColourKeys(layout, colours);
    benchmark::DoNotOptimize(lighting::HasVisibleColour(colours));
  }
}
BENCHMARK(BM_StreamStepColours)->Unit(benchmark::kMicrosecond);

// The two-step reduction of a screen to the 18 x 6 cells: 1920 x 1080 divides
// into whole blocks, 2560 x 1440 takes the general path with cut edges.
void BM_ScreenReduction(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  std::vector<std::uint32_t> screen(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < screen.size(); ++i)
    screen[i] = static_cast<std::uint32_t>(i * 2654435761u);
  lighting::ScreenReduction reduction;
  const ScreenPixels pixels{screen.data(), width, height, width};
  for (auto _ : state) benchmark::DoNotOptimize(reduction.Reduce(pixels));
}
BENCHMARK(BM_ScreenReduction)
    ->Args({1920, 1080})
    ->Args({2560, 1440})
    ->Unit(benchmark::kMillisecond);

// Plays `seconds` of a 1 kHz tone through pacat from a background thread; the
// samples are made before it starts, so the writing thread costs next to nothing.
class TonePlayer {
 public:
  explicit TonePlayer(double seconds) {
    long frame = 0;
    for (int i = 0; i < static_cast<int>(seconds * 100); ++i) {
      const std::vector<float> p = TonePacket(1000.0, frame);
      m_samples.insert(m_samples.end(), p.begin(), p.end());
    }
    m_thread = std::thread([this] {
      FILE* player =
          popen("pacat --playback --raw --format=float32le --rate=48000 --channels=2", "w");
      if (!player) return;
      fwrite(m_samples.data(), sizeof(float), m_samples.size(), player);
      pclose(player);
    });
  }
  ~TonePlayer() { m_thread.join(); }

 private:
  std::vector<float> m_samples;
  std::thread m_thread;
};

// The whole music path as the program runs it: capture thread, render thread at
// 15 ms, and the worker's key colours every 16 ms, while a tone plays.
void BM_MusicPathCpu(benchmark::State& state) {
  if (!std::getenv("PULSE_SERVER"))
    return state.SkipWithError("needs PULSE_SERVER (run lighting_engines.sh)");
  for (auto _ : state) {
    auto loopback = CreatePulseFloatLoopback("Tervane bench");
    AudioLoopback<float>* capture = loopback.get();
    Visualizer v(std::move(loopback));
    v.StartMusic();
    v.SetMusicActive(true);
    while (!capture->IsCapturing()) std::this_thread::sleep_for(10ms);
    TonePlayer tone(12.0);
    std::this_thread::sleep_for(1s);
    const KeyboardLayout layout = FullSizeLayout();
    std::vector<KeyColour> colours;
    const double cpu0 = ProcessCpuSeconds();
    const auto t0 = Clock::now();
    auto next = t0;
    while (Clock::now() - t0 < 8s) {
      v.ColourKeys(layout, colours);
      next += 16ms;
      std::this_thread::sleep_until(next);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    state.counters["cpu_percent"] = 100.0 * (ProcessCpuSeconds() - cpu0) / wall;
    state.counters["lit_keys"] = lighting::HasVisibleColour(colours) ? 1 : 0;
  }
}
BENCHMARK(BM_MusicPathCpu)->Iterations(1)->Unit(benchmark::kSecond);

// What music lighting costs while another mode is shown: the capture stays
// open and the render thread wakes twice a second.
void BM_MusicIdleCpu(benchmark::State& state) {
  if (!std::getenv("PULSE_SERVER"))
    return state.SkipWithError("needs PULSE_SERVER (run lighting_engines.sh)");
  for (auto _ : state) {
    auto loopback = CreatePulseFloatLoopback("Tervane bench");
    AudioLoopback<float>* capture = loopback.get();
    Visualizer v(std::move(loopback));
    v.StartMusic();
    while (!capture->IsCapturing()) std::this_thread::sleep_for(10ms);
    TonePlayer tone(8.0);
    std::this_thread::sleep_for(1s);
    const double cpu0 = ProcessCpuSeconds();
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(5s);
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    state.counters["cpu_percent"] = 100.0 * (ProcessCpuSeconds() - cpu0) / wall;
  }
}
BENCHMARK(BM_MusicIdleCpu)->Iterations(1)->Unit(benchmark::kSecond);

// From the first tone sample handed to the player to the first lit key colour
// seen by a 16 ms worker. Includes the player's own buffer (pacat, 10 ms asked).
void BM_AudioToKeyLatency(benchmark::State& state) {
  if (!std::getenv("PULSE_SERVER"))
    return state.SkipWithError("needs PULSE_SERVER (run lighting_engines.sh)");
  std::vector<double> latencies;
  for (auto _ : state) {
    auto loopback = CreatePulseFloatLoopback("Tervane bench");
    AudioLoopback<float>* capture = loopback.get();
    Visualizer v(std::move(loopback));
    v.SetGain(300);
    v.SetForeMode(1);
    v.SetBackMode(0);
    v.StartMusic();
    v.SetMusicActive(true);
    while (!capture->IsCapturing()) std::this_thread::sleep_for(10ms);
    FILE* player = popen(
        "pacat --playback --raw --latency-msec=10 --format=float32le --rate=48000 --channels=2",
        "w");
    if (!player) return state.SkipWithError("pacat not found");
    setvbuf(player, nullptr, _IONBF, 0);
    std::atomic<Clock::time_point> tone_start{Clock::time_point{}};
    std::atomic<bool> playing{true};
    // Real-time pacing keeps the pipe nearly empty, so the tone is not queued behind silence.
    std::thread writer([&] {
      long frame = 0;
      const std::vector<float> silence(AudioLoopback<float>::kPacketValues, 0.0f);
      auto next = Clock::now();
      for (int i = 0; playing; ++i) {
        if (i == 150) tone_start = Clock::now();
        const std::vector<float> p = i >= 150 ? TonePacket(3000.0, frame) : silence;
        fwrite(p.data(), sizeof(float), p.size(), player);
        next += 10ms;
        std::this_thread::sleep_until(next);
      }
    });
    KeyboardLayout layout;
    layout.row_count = 1;
    layout.col_count = 32;
    layout.grid[0][18] = 40;  // samples picture column 126 of row 33
    std::vector<KeyColour> colours;
    const auto give_up = Clock::now() + 6s;
    while (Clock::now() < give_up) {
      v.ColourKeys(layout, colours);
      const Clock::time_point started = tone_start;
      if (started != Clock::time_point{} && lighting::HasVisibleColour(colours)) {
        latencies.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - started).count());
        break;
      }
      std::this_thread::sleep_for(16ms);
    }
    playing = false;
    writer.join();
    pclose(player);
  }
  std::sort(latencies.begin(), latencies.end());
  if (!latencies.empty()) {
    state.counters["latency_ms_median"] = latencies[latencies.size() / 2];
    state.counters["latency_ms_max"] = latencies.back();
  }
}
BENCHMARK(BM_AudioToKeyLatency)->Iterations(9)->Unit(benchmark::kSecond);

// Counts the captures the sampling thread makes.
class CountingCapture final : public ScreenCapture {
 public:
  CountingCapture(std::unique_ptr<ScreenCapture> inner, std::atomic<int>& count)
      : m_inner(std::move(inner)), m_count(count) {}
  std::optional<ScreenPixels> Capture() override {
    ++m_count;
    return m_inner->Capture();
  }

 private:
  std::unique_ptr<ScreenCapture> m_inner;
  std::atomic<int>& m_count;
};

// Screen sampling on its thread at its paced rate, on whatever $DISPLAY shows.
// The X server's own work for the captures is counted when its pid is given.
void BM_ScreenSamplingCpu(benchmark::State& state) {
  if (!std::getenv("DISPLAY"))
    return state.SkipWithError("needs DISPLAY (run lighting_engines.sh)");
  const char* xserver = std::getenv("TERVANE_XSERVER_PID");
  for (auto _ : state) {
    std::atomic<int> samples{0};
    ScreenLight light([&samples]() -> std::unique_ptr<ScreenCapture> {
      std::unique_ptr<ScreenCapture> x11 = CreateX11ScreenCapture();
      if (!x11) return nullptr;
      return std::make_unique<CountingCapture>(std::move(x11), samples);
    });
    light.Start(FullSizeLayout());
    light.SetActive(true);
    std::this_thread::sleep_for(1s);
    const double cpu0 = ProcessCpuSeconds();
    const double server0 = xserver ? OtherProcessCpuSeconds(xserver) : 0.0;
    const int samples0 = samples;
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(8s);
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    state.counters["cpu_percent"] = 100.0 * (ProcessCpuSeconds() - cpu0) / wall;
    if (xserver) {
      state.counters["xserver_cpu_percent"] =
          100.0 * (OtherProcessCpuSeconds(xserver) - server0) / wall;
    }
    state.counters["samples_per_second"] = (samples - samples0) / wall;
  }
}
BENCHMARK(BM_ScreenSamplingCpu)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
