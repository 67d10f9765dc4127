// Wire time of the paced transfers against the pauses the protocol mandates:
// one stream frame and a full family 2 download of 12 macros, sent through the
// device manager to the simulator on the steady clock. The limit of each is the
// time the same transfer takes on a virtual clock, which adds up exactly the
// pauses; the "ratio" counter is wire time / limit.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "device/key_protocol.h"
#include "device/light_protocol.h"
#include "sim/keyboard_simulator.h"
#include "sim/sim_clock.h"

namespace {

class BenchSource final : public KeyCommandSource {
 public:
  BenchSource() {
    for (int i = 0; i < 12; ++i) {
      KeyAssignmentRow row;
      row.key_code = 0x04 + i;
      row.macro_type = kKindMacro;
      row.macro_value = i + 1;
      m_rows.push_back(row);
      StoredMacro macro;
      for (int r = 0; r < 20; ++r) {
        MacroRecordRow record;
        record.type = r % 2 ? kRecordRelease : kRecordPress;
        record.value = 'A' + r;
        record.delay_time = 30;
        macro.records.push_back(record);
      }
      m_macros.push_back(macro);
    }
  }
  std::vector<KeyAssignmentRow> GetKeyAssignments() override { return m_rows; }
  std::optional<KeyAssignmentRow> GetKeyAssignment(int key_code) override {
    for (const KeyAssignmentRow& r : m_rows) {
      if (r.key_code == key_code) return r;
    }
    return std::nullopt;
  }
  std::optional<StoredMacro> GetMacro(int id) override { return m_macros.at(id - 1); }
  std::optional<int> KeyIndex(int) override { return std::nullopt; }

 private:
  std::vector<KeyAssignmentRow> m_rows;
  std::vector<StoredMacro> m_macros;
};

struct Rig {
  explicit Rig(Clock& clock, SimFamily family) {
    auto backend = std::make_unique<KeyboardSimulator>(clock);
    sim = backend.get();
    manager = std::make_unique<HidDeviceManager>(std::move(backend), clock);
    const int type = family == SimFamily::kFamily1 ? 101 : 201;
    manager->AddDeviceFilter(0x3554, 0xF001, "", type, 0, "");
    SimKeyboardConfig config;
    config.vendor_id = 0x3554;
    config.product_id = 0xF001;
    config.family = family;
    sim->AddKeyboard(config);
    manager->Enumerate();
    manager->SetReady(true);
    manager->SetSelectedDeviceType(type);
  }
  KeyboardSimulator* sim = nullptr;
  std::unique_ptr<HidDeviceManager> manager;
};

std::vector<KeyColour> FrameKeys() {
  std::vector<KeyColour> keys;
  for (int i = 0; i < 110; ++i) keys.push_back({i, static_cast<COLORREF>(0x010203 * i)});
  return keys;
}

const LightIndexLookup kIndex = [](int key) -> std::optional<int> { return key; };

template <typename Op>
double VirtualMs(SimFamily family, Op op) {
  VirtualClock clock;
  Rig rig(clock, family);
  op(rig);
  const auto start = clock.Now();
  op(rig);
  return (clock.Now() - start).count() / 1000.0;
}

// Runs `op` once per iteration on the steady clock and reports its mean wire
// time against `limit_ms`.
template <typename Op>
void MeasureAgainstLimit(benchmark::State& state, Rig& rig, double limit_ms, Op op) {
  double total_ms = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    op();
    total_ms +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    rig.sim->ClearLog();
  }
  const double wire = total_ms / static_cast<double>(state.iterations());
  state.counters["limit_ms"] = limit_ms;
  state.counters["wire_ms"] = wire;
  state.counters["ratio"] = wire / limit_ms;
}

void StreamFrame(benchmark::State& state) {
  const std::vector<KeyColour> keys = FrameKeys();
  auto op = [&](Rig& rig) {
    LightProtocol light(*rig.manager);
    light.SendStreamFrame(keys, kIndex);
  };
  const double limit = VirtualMs(SimFamily::kFamily1, op);
  Rig rig(SteadyClock::Get(), SimFamily::kFamily1);
  LightProtocol light(*rig.manager);
  light.SendStreamFrame(keys, kIndex);  // the run's start report
  MeasureAgainstLimit(state, rig, limit, [&] { light.SendStreamFrame(keys, kIndex); });
}

void Family2Download(benchmark::State& state) {
  BenchSource source;
  const double limit = VirtualMs(SimFamily::kFamily2, [&](Rig& rig) {
    KeyProtocol protocol(*rig.manager, source);
    protocol.DownloadKeys(201);
  });
  Rig rig(SteadyClock::Get(), SimFamily::kFamily2);
  KeyProtocol protocol(*rig.manager, source);
  protocol.DownloadKeys(201);  // slots bound, so each measured download also clears them
  MeasureAgainstLimit(state, rig, limit, [&] { protocol.DownloadKeys(201); });
}

}  // namespace

BENCHMARK(StreamFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);
BENCHMARK(Family2Download)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_MAIN();
