// Added latency of a remapped key, from the key event to the virtual keyboard's event.
//
// In-process (any machine): a key handed to the monitor by a fake key source, through the key
// handler, VHidev and the report translator, to a fake uinput sink; the figure is the time from
// the hand-over to the sink's write.
//
// On the real kernel (`bench_key_latency --vm`, inside the test VM through
// bench/vm_key_latency.sh): a uinput keyboard stands in for the physical one; each sample is the
// time from writing its key event to the kernel's timestamp of the event that comes out, for the
// program's key filter (remapped F1 -> B, and a key passed through) and, when its binaries were
// copied in, for interception-tools' `intercept -g | uinput` pass-through pipeline.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "device/clock.h"
#include "platform/input_event_sink.h"
#include "tests/vkeyboard/vkeyboard_fakes.h"
#include "tests/vm_vkeyboard/evdev_devices.h"
#include "vkeyboard/key_filter.h"
#include "vkeyboard/key_handler.h"
#include "vkeyboard/uinput_hid_device.h"

extern char** environ;

namespace {

using Micros = std::chrono::duration<double, std::micro>;

struct Percentiles {
  double median = 0;
  double p99 = 0;
};

Percentiles Summarise(std::vector<double> samples) {
  if (samples.empty()) return {};
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2],
          samples[std::min(samples.size() - 1, samples.size() * 99 / 100)]};
}

// A profile store in a scratch folder, removed afterwards.
struct ScratchStore {
  std::string folder;
  ProfileStore store;
  ScratchStore() {
    char pattern[] = "/tmp/key-latency-XXXXXX";
    if (mkdtemp(pattern)) folder = pattern;
    store.OpenForDevice(folder, "bench");
  }
  ~ScratchStore() {
    store.Close();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

class NoMacros final : public MacroRunQueueSink {
 public:
  void EnqueueMacro(int) override {}
};

// A sink that notes when its first event of a batch arrives.
class TimingSink final : public InputEventSink {
 public:
  explicit TimingSink(std::atomic<long long>& written) : m_written(written) {}
  bool Emit(std::span<const InputEvent>) override {
    m_written = std::chrono::steady_clock::now().time_since_epoch().count();
    return true;
  }

 private:
  std::atomic<long long>& m_written;
};

void BM_RemappedKeyInProcess(benchmark::State& state) {
  std::atomic<long long> written{0};
  VHidev vhidev([&written] {
    return std::make_unique<UinputHidDevice>(std::make_unique<TimingSink>(written));
  });
  vhidev.Open();
  auto* source = new ScriptedKeySource;
  KeyFilter filter(std::unique_ptr<KeyEventSource>(source), vhidev);
  ScratchStore store;
  KeyAssignmentRow row = Assignment(0x3A, 2, 0x05);
  row.profile = 1;
  store.store.SaveKeyAssignment(row);
  NoMacros macros;
  KeyHandler handler(filter, vhidev, SteadyClock::Get(), macros, nullptr);
  filter.GetMonitor().RegisterProxy(&handler);
  filter.Refresh(store.store, 1, 0);

  std::vector<double> samples;
  bool pressed = false;
  for (auto _ : state) {
    pressed = !pressed;
    written = 0;
    const auto start = std::chrono::steady_clock::now();
    source->Push({{0x3A, pressed}});
    while (written.load() == 0) {
    }
    const auto end =
        std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(written.load()));
    samples.push_back(Micros(end - start).count());
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  filter.StopAndClear();
  const Percentiles p = Summarise(samples);
  state.counters["median_us"] = p.median;
  state.counters["p99_us"] = p.p99;
}
BENCHMARK(BM_RemappedKeyInProcess)
    ->UseManualTime()
    ->Iterations(20000)
    ->Unit(benchmark::kMicrosecond);

// --- Real kernel ---------------------------------------------------------------------------

double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

// Writes key presses and releases of `code` and times each up to its event on `out`.
std::vector<double> Measure(PhysicalKeyboard& keyboard, NodeReader& out, unsigned code, int usage,
                            unsigned expected, int samples) {
  std::vector<double> latencies;
  for (int i = 0; i < 2 * samples; ++i) {
    const int value = i % 2 == 0 ? 1 : 0;
    const double start = Now();
    keyboard.Key(code, value, usage);
    for (;;) {
      const std::optional<input_event> ev = out.NextKey(std::chrono::milliseconds(2000));
      if (!ev) return latencies;
      if (ev->code == expected && ev->value == value) {
        latencies.push_back(ev->input_event_sec * 1e6 + ev->input_event_usec - start);
        break;
      }
    }
  }
  return latencies;
}

void Report(const char* name, const std::vector<double>& samples) {
  const Percentiles p = Summarise(samples);
  std::printf("%-44s samples %5zu  median %8.1f us  p99 %8.1f us\n", name, samples.size(), p.median,
              p.p99);
}

struct ProgramFilter {
  ScratchStore store;
  VHidev vhidev{[] {
    std::string error;
    std::unique_ptr<InputEventSink> sink = OpenUinputSink("Tervane bench virtual input", error);
    return sink ? std::make_unique<UinputHidDevice>(std::move(sink)) : nullptr;
  }};
  KeyFilter filter{MakeEvdevKeySource(vhidev), vhidev};
  NoMacros macros;
  KeyHandler handler{filter, vhidev, SteadyClock::Get(), macros, nullptr};

  bool Start() {
    KeyAssignmentRow row = Assignment(0x3A, 2, 0x05);
    row.profile = 1;
    if (store.store.SaveKeyAssignment(row) == 0 || !vhidev.Open()) return false;
    filter.SetKeyboards({{kVendor, kProduct}});
    filter.GetMonitor().RegisterProxy(&handler);
    return filter.Refresh(store.store, 1, 0) == 1;
  }
};

// The interception-tools pipeline on the keyboard's node; its uinput clone is the newest node
// with the keyboard's name.
pid_t StartInterception(const std::string& intercept, const std::string& node) {
  const std::string pipeline = intercept + " -g " + node + " | /test/uinput -d " + node;
  const char* argv[] = {"/bin/sh", "-c", pipeline.c_str(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    return -1;
  }
  return pid;
}

std::string FindClone(const std::string& name, const std::string& original) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (DIR* dir = opendir("/dev/input")) {
      std::string found;
      while (dirent* e = readdir(dir)) {
        const std::string path = std::string("/dev/input/") + e->d_name;
        if (path != original && std::string(e->d_name).rfind("event", 0) == 0 &&
            NodeReader(path).Name() == name) {
          found = path;
        }
      }
      closedir(dir);
      if (!found.empty()) return found;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return {};
}

int RunInVm(int samples) {
  PhysicalKeyboard keyboard;
  if (!keyboard.Ok()) {
    std::printf("no uinput here: run bench/vm_key_latency.sh\n");
    return 1;
  }
  std::vector<double> ours_remap;
  std::vector<double> ours_pass;
  {
    ProgramFilter program;
    if (!program.Start()) {
      std::printf("the key filter did not start\n");
      return 1;
    }
    NodeReader out(FindNodeByName("Tervane bench virtual input"));
    ours_remap = Measure(keyboard, out, KEY_F1, 0x3A, KEY_B, samples);
    ours_pass = Measure(keyboard, out, KEY_X, 0x1B, KEY_X, samples);
    program.filter.StopAndClear();
  }
  Report("tervane key filter, F1 remapped to B", ours_remap);
  Report("tervane key filter, X passed through", ours_pass);

  std::vector<double> theirs;
  // Debian names upstream's `intercept` `interception`.
  const std::string intercept =
      access("/test/interception", X_OK) == 0 ? "/test/interception" : "/test/intercept";
  if (access(intercept.c_str(), X_OK) == 0 && access("/test/uinput", X_OK) == 0) {
    const pid_t pipeline = StartInterception(intercept, keyboard.Node());
    const std::string clone = FindClone("Test physical keyboard", keyboard.Node());
    if (!clone.empty()) {
      NodeReader out(clone);
      theirs = Measure(keyboard, out, KEY_X, 0x1B, KEY_X, samples);
    }
    if (pipeline > 0) {
      kill(pipeline, SIGTERM);
      waitpid(pipeline, nullptr, 0);
    }
    Report("interception-tools intercept -g | uinput", theirs);
  } else {
    std::printf("interception-tools not copied in: only the program measured\n");
  }
  if (!theirs.empty() && !ours_remap.empty()) {
    const Percentiles a = Summarise(ours_remap);
    const Percentiles b = Summarise(theirs);
    std::printf("ratio tervane remap / interception-tools: median %.2f  p99 %.2f\n",
                a.median / b.median, a.p99 / b.p99);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--vm") == 0) {
      const int samples = i + 1 < argc ? std::atoi(argv[i + 1]) : 1000;
      return RunInVm(samples > 0 ? samples : 1000);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
