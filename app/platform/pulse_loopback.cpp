// PulseAudio (or pipewire-pulse) loopback capture of the default output's
// monitor. Everything talking to the server runs on the library's own mainloop
// thread; readers only touch a small sample ring, so capture never blocks the
// renderer or the worker. A server that goes away is reconnected every second,
// and a change of the default output reopens the stream on the new one.
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio_loopback.h"

namespace {

constexpr pa_usec_t kRetryDelayUs = 1'000'000;
// A quarter of a second of audio: enough to ride out a slow reader, small
// enough that a reader coming back after a pause sees recent sound.
constexpr std::size_t kRingFrames = 12'000;

template <typename Sample>
constexpr pa_sample_format_t kSampleFormat = sizeof(Sample) == sizeof(float) ? PA_SAMPLE_FLOAT32LE
                                                                             : PA_SAMPLE_S16LE;

// Fixed-capacity FIFO of samples; the oldest are dropped when a reader lags.
template <typename Sample>
class SampleRing {
 public:
  explicit SampleRing(std::size_t capacity) : m_data(capacity) {}

  void Write(const Sample* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Push(samples ? samples[i] : Sample{});
  }

  std::size_t Size() const { return m_size; }

  void Read(Sample* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      out[i] = m_data[m_head];
      m_head = (m_head + 1) % m_data.size();
    }
    m_size -= count;
  }

  void Clear() { m_head = m_size = 0; }

 private:
  void Push(Sample s) {
    m_data[(m_head + m_size) % m_data.size()] = s;
    if (m_size == m_data.size()) {
      m_head = (m_head + 1) % m_data.size();
    } else {
      ++m_size;
    }
  }

  std::vector<Sample> m_data;
  std::size_t m_head = 0;
  std::size_t m_size = 0;
};

struct MainloopDeleter {
  void operator()(pa_threaded_mainloop* loop) const { pa_threaded_mainloop_free(loop); }
};

template <typename Sample>
class PulseLoopback final : public AudioLoopback<Sample> {
  using Base = AudioLoopback<Sample>;

 public:
  explicit PulseLoopback(std::string client_name)
      : m_client_name(std::move(client_name)),
        m_loop(pa_threaded_mainloop_new()),
        m_ring(kRingFrames * Base::kChannels) {
    if (!m_loop) return;
    m_api = pa_threaded_mainloop_get_api(m_loop.get());
    pa_threaded_mainloop_lock(m_loop.get());
    Connect();
    pa_threaded_mainloop_unlock(m_loop.get());
    if (pa_threaded_mainloop_start(m_loop.get()) < 0) {
      DisconnectAll();
      m_loop.reset();
    }
  }

  ~PulseLoopback() override {
    if (!m_loop) return;
    pa_threaded_mainloop_stop(m_loop.get());
    DisconnectAll();
  }

  PulseLoopback(const PulseLoopback&) = delete;
  PulseLoopback& operator=(const PulseLoopback&) = delete;

  std::size_t ReadPacket(std::span<Sample> out) override {
    const std::size_t frames =
        std::min<std::size_t>(Base::kPacketFrames, out.size() / Base::kChannels);
    const std::size_t values = frames * Base::kChannels;
    std::lock_guard lock(m_ring_lock);
    if (frames == 0 || m_ring.Size() < Base::kPacketValues) return 0;
    m_ring.Read(out.data(), values);
    // A short output buffer still consumes the whole packet so packets stay aligned.
    Sample discard[Base::kChannels];
    for (std::size_t rest = Base::kPacketValues - values; rest > 0; rest -= Base::kChannels) {
      m_ring.Read(discard, Base::kChannels);
    }
    return frames;
  }

  void Reopen() override {
    if (!m_loop) return;
    pa_threaded_mainloop_lock(m_loop.get());
    CloseStream();
    if (m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY) OpenStream();
    pa_threaded_mainloop_unlock(m_loop.get());
  }

  void SetPaused(bool paused) override {
    if (!m_loop) return;
    pa_threaded_mainloop_lock(m_loop.get());
    m_paused = paused;
    if (m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY) {
      Release(pa_stream_cork(m_stream, paused ? 1 : 0, nullptr, nullptr));
    }
    pa_threaded_mainloop_unlock(m_loop.get());
    if (paused) {
      std::lock_guard lock(m_ring_lock);
      m_ring.Clear();
    }
  }

  bool IsCapturing() const override { return m_capturing.load(); }

 private:
  // --- everything below runs with the mainloop lock held or on its thread ---

  void Connect() {
    m_context = pa_context_new(m_api, m_client_name.c_str());
    if (!m_context) return ScheduleRetry();
    pa_context_set_state_callback(m_context, &PulseLoopback::ContextStateThunk, this);
    pa_context_set_subscribe_callback(m_context, &PulseLoopback::SubscribeThunk, this);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
      DropContext();
      ScheduleRetry();
    }
  }

  void OnContextState() {
    switch (pa_context_get_state(m_context)) {
      case PA_CONTEXT_READY:
        Release(pa_context_subscribe(m_context, PA_SUBSCRIPTION_MASK_SERVER, nullptr, nullptr));
        Release(pa_context_get_server_info(m_context, &PulseLoopback::ServerInfoThunk, this));
        break;
      case PA_CONTEXT_FAILED:
      case PA_CONTEXT_TERMINATED:
        CloseStream();
        DropContext();
        ScheduleRetry();
        break;
      default:
        break;
    }
  }

  // The first answer opens the stream; later ones reopen it only when the
  // default output really changed.
  void OnServerInfo(const pa_server_info* info) {
    const std::string sink = info && info->default_sink_name ? info->default_sink_name : "";
    if (m_stream && sink == m_default_sink) return;
    m_default_sink = sink;
    CloseStream();
    OpenStream();
  }

  void OnSubscription(pa_subscription_event_type_t type) {
    if ((type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) != PA_SUBSCRIPTION_EVENT_SERVER) return;
    Release(pa_context_get_server_info(m_context, &PulseLoopback::ServerInfoThunk, this));
  }

  void OpenStream() {
    const pa_sample_spec spec{kSampleFormat<Sample>, Base::kRate, Base::kChannels};
    m_stream = pa_stream_new(m_context, "Loopback", &spec, nullptr);
    if (!m_stream) return ScheduleRetry();
    pa_stream_set_state_callback(m_stream, &PulseLoopback::StreamStateThunk, this);
    pa_stream_set_read_callback(m_stream, &PulseLoopback::ReadThunk, this);
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(Base::kPacketValues * sizeof(Sample));
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_ADJUST_LATENCY | PA_STREAM_DONT_INHIBIT_AUTO_SUSPEND |
        (m_paused ? PA_STREAM_START_CORKED : PA_STREAM_NOFLAGS));
    if (pa_stream_connect_record(m_stream, "@DEFAULT_MONITOR@", &attr, flags) < 0) {
      CloseStream();
      ScheduleRetry();
    }
  }

  void OnStreamState() {
    switch (pa_stream_get_state(m_stream)) {
      case PA_STREAM_READY:
        m_capturing = true;
        // A pause asked for while the stream was connecting is applied now.
        Release(pa_stream_cork(m_stream, m_paused ? 1 : 0, nullptr, nullptr));
        break;
      case PA_STREAM_FAILED:
      case PA_STREAM_TERMINATED:
        CloseStream();
        ScheduleRetry();
        break;
      default:
        break;
    }
  }

  void OnReadable() {
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_peek(m_stream, &data, &bytes) == 0 && bytes > 0) {
      {
        std::lock_guard lock(m_ring_lock);
        m_ring.Write(static_cast<const Sample*>(data), bytes / sizeof(Sample));
      }
      pa_stream_drop(m_stream);
    }
  }

  void CloseStream() {
    m_capturing = false;
    if (!m_stream) return;
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_set_read_callback(m_stream, nullptr, nullptr);
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
    std::lock_guard lock(m_ring_lock);
    m_ring.Clear();
  }

  void DropContext() {
    if (!m_context) return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
  }

  // One pending retry at a time: reconnects the whole context when it is gone,
  // otherwise reopens the stream.
  void ScheduleRetry() {
    if (m_retry) return;
    timeval when{};
    pa_gettimeofday(&when);
    pa_timeval_add(&when, kRetryDelayUs);
    m_retry = m_api->time_new(m_api, &when, &PulseLoopback::RetryThunk, this);
  }

  void OnRetry() {
    m_api->time_free(m_retry);
    m_retry = nullptr;
    if (!m_context) return Connect();
    if (!m_stream && pa_context_get_state(m_context) == PA_CONTEXT_READY) OpenStream();
  }

  void DisconnectAll() {
    if (m_retry) {
      m_api->time_free(m_retry);
      m_retry = nullptr;
    }
    CloseStream();
    DropContext();
  }

  static void Release(pa_operation* op) {
    if (op) pa_operation_unref(op);
  }

  static void ContextStateThunk(pa_context*, void* self) {
    static_cast<PulseLoopback*>(self)->OnContextState();
  }
  static void ServerInfoThunk(pa_context*, const pa_server_info* info, void* self) {
    static_cast<PulseLoopback*>(self)->OnServerInfo(info);
  }
  static void SubscribeThunk(pa_context*, pa_subscription_event_type_t type, uint32_t, void* self) {
    static_cast<PulseLoopback*>(self)->OnSubscription(type);
  }
  static void StreamStateThunk(pa_stream*, void* self) {
    static_cast<PulseLoopback*>(self)->OnStreamState();
  }
  static void ReadThunk(pa_stream*, std::size_t, void* self) {
    static_cast<PulseLoopback*>(self)->OnReadable();
  }
  static void RetryThunk(pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
    static_cast<PulseLoopback*>(self)->OnRetry();
  }

  std::string m_client_name;
  std::unique_ptr<pa_threaded_mainloop, MainloopDeleter> m_loop;
  pa_mainloop_api* m_api = nullptr;
  pa_context* m_context = nullptr;
  pa_stream* m_stream = nullptr;
  pa_time_event* m_retry = nullptr;
  std::string m_default_sink;
  bool m_paused = false;  // also under the mainloop lock
  std::atomic<bool> m_capturing{false};

  std::mutex m_ring_lock;  // guards m_ring: written by the mainloop, read by the consumer
  SampleRing<Sample> m_ring;
};

}  // namespace

std::unique_ptr<AudioLoopback<float>> CreatePulseFloatLoopback(const std::string& client_name) {
  return std::make_unique<PulseLoopback<float>>(client_name);
}

std::unique_ptr<AudioLoopback<std::int16_t>> CreatePulsePcmLoopback(
    const std::string& client_name) {
  return std::make_unique<PulseLoopback<std::int16_t>>(client_name);
}
