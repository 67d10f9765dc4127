// Paint cost of a 1280 x 720 window holding 150 push buttons (MButton) on the
// headless host: a full repaint from valid caches, a full repaint that
// rebuilds every cache, and a hover change on one button (a cached block copy).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "QorUI/buttons.h"
#include "QorUI/controls.h"
#include "QorUI/dialog.h"
#include "QorUI/headless_host.h"

namespace {

class BenchDialog : public MDialog {
 public:
  void InitUI(CRect) override {
    // 15 columns x 10 rows of 80 x 40 buttons on the skin's button image.
    for (int row = 0; row < 10; ++row)
      for (int col = 0; col < 15; ++col) {
        const CRect r(10 + col * 84, 60 + row * 64, 90 + col * 84, 100 + row * 64);
        const std::string title = "Key " + std::to_string(row * 15 + col);
        auto* button = dynamic_cast<MButton*>(
            CreateControl("MButton", 100 + row * 15 + col, r, title.c_str()));
        if (button && button->SetImage("btn_apply.png", 4)) ++skinned;
      }
  }
  int skinned = 0;
};

struct Window {
  Window() {
    auto owned = std::make_unique<HeadlessHost>();
    host = owned.get();
    Host::Install(std::move(owned));
    RegisterControls();
    hwnd = dlg.Create(0, "Bench", 0x80B, 0, CRect(0, 0, 1280, 720));
    dlg.ShowWindow(SW_SHOW);
    host->Pump();
  }
  // The measured work is only the intended one when every button has its image.
  bool Ready(benchmark::State& state) {
    if (dlg.skinned == 150) return true;
    state.SkipWithError("the skin's btn_apply.png was not found beside the benchmark");
    return false;
  }
  ~Window() {
    dlg.DestroyWindow();
    Host::Install(nullptr);
  }
  // Paints the whole client area into the back buffer, as an expose does.
  void PaintAll() {
    PaintRequest request{CRect(0, 0, 1280, 720), nullptr};
    dlg.SendMessageW(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request));
    benchmark::DoNotOptimize(request.buffer);
  }
  HeadlessHost* host;
  BenchDialog dlg;
  HWND hwnd = 0;
};

void BM_FullRepaintCached(benchmark::State& state) {
  Window w;
  if (!w.Ready(state)) return;
  for (auto _ : state) w.PaintAll();
}
BENCHMARK(BM_FullRepaintCached)->Unit(benchmark::kMillisecond);

void BM_FullRepaintRebuildingCaches(benchmark::State& state) {
  Window w;
  if (!w.Ready(state)) return;
  for (auto _ : state) {
    for (auto& c : w.dlg.GetControls()) c->SetUpdate(0);
    w.PaintAll();
  }
}
BENCHMARK(BM_FullRepaintRebuildingCaches)->Unit(benchmark::kMillisecond);

void BM_HoverChangeOnOneButton(benchmark::State& state) {
  Window w;
  if (!w.Ready(state)) return;
  bool inside = false;
  for (auto _ : state) {
    // Alternates between the button and the gap beside it; each move repaints
    // the button from its cache and presents the changed rectangle.
    inside = !inside;
    w.host->MouseMove(w.hwnd, inside ? CPoint(50, 80) : CPoint(92, 80));
  }
}
BENCHMARK(BM_HoverChangeOnOneButton)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
