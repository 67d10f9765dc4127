// Paint cost of the controls that re-render as a whole on the headless host:
// the keyboard picture (104 keys) on a colour change and on hover, the
// function picker (122 items) on hover, the record list appending to 2000
// rows, and for scale a button's hover (a cached block copy).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "QorUI/buttons.h"
#include "QorUI/controls.h"
#include "QorUI/dialog.h"
#include "QorUI/headless_host.h"
#include "QorUI/key_func_control.h"
#include "QorUI/keyboard_ctrl.h"
#include "QorUI/panel.h"
#include "QorUI/record_list.h"

namespace {

class BenchDialog : public MDialog {
 public:
  void InitUI(CRect) override {
    keyboard =
        static_cast<KeyboardCtrl*>(CreateControl("KeyboardCtrl", 70, CRect(0, 60, 1280, 360)));
    keyboard->SetKeyboardImage("keyboard/tervane_k201.png");
    keyboard->SetWidthAndHeight(1000, 300);
    // Six rows of keys, 17 or 18 to a row, 48 pixels apart.
    for (int i = 0; i < 104; ++i) {
      const int row = i / 18, col = i % 18;
      keyboard->AddKeyItem("K" + std::to_string(i), "", static_cast<DWORD>(4 + i),
                           CRect(20 + col * 52, 10 + row * 48, 64 + col * 52, 52 + row * 48), "");
    }
    keyboard->SetKeyboardCtrlMode(kModeCustomColor);
    auto* page = static_cast<MPanel*>(CreateControl("MTabLayout", 51, CRect(0, 360, 1280, 720)));
    picker = static_cast<KeyFuncControl*>(
        page->CreateControl("KeyFuncControl", 80, CRect(20, 370, 940, 610)));
    picker->SetImage("img_customkey.png", 4);
    picker->InitItemInfo();
    records = static_cast<CRecordList*>(
        page->CreateControl("CRecordList", 238, CRect(950, 370, 1270, 700)));
    button = static_cast<MButton*>(CreateControl("MButton", 5, CRect(10, 10, 110, 40), "Apply"));
    button->SetImage("btn_apply.png", 4);
  }

  KeyboardCtrl* keyboard = nullptr;
  KeyFuncControl* picker = nullptr;
  CRecordList* records = nullptr;
  MButton* button = nullptr;
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
  ~Window() {
    dlg.DestroyWindow();
    Host::Install(nullptr);
  }

  HeadlessHost* host = nullptr;
  BenchDialog dlg;
  HWND hwnd = 0;
};

void BM_KeyboardColourChange(benchmark::State& state) {
  Window w;
  COLORREF color = 0;
  for (auto _ : state) {
    w.dlg.keyboard->SetKeyColor(4, color++);
    w.dlg.keyboard->UpdateControl(1);
    w.host->Pump();
  }
}
BENCHMARK(BM_KeyboardColourChange)->Unit(benchmark::kMillisecond);

void BM_KeyboardHover(benchmark::State& state) {
  Window w;
  bool left = false;
  for (auto _ : state) {
    // The picture's origin is (140, 0): the first two keys' centres alternate.
    w.host->MouseMove(w.hwnd, CPoint(left ? 182 : 234, 90));
    left = !left;
  }
}
BENCHMARK(BM_KeyboardHover)->Unit(benchmark::kMillisecond);

void BM_PickerHover(benchmark::State& state) {
  Window w;
  bool left = false;
  for (auto _ : state) {
    // "Esc" and "F1" of the picker's keyboard.
    w.host->MouseMove(w.hwnd, CPoint(left ? 30 : 110, 420));
    left = !left;
  }
}
BENCHMARK(BM_PickerHover)->Unit(benchmark::kMillisecond);

void BM_RecordListAppend(benchmark::State& state) {
  Window w;
  for (int i = 0; i < 2000; ++i) w.dlg.records->AddString("A", 2, 65, 10);
  w.host->Pump();
  for (auto _ : state) {
    w.dlg.records->AddString("B", 3, 66, 20);
    w.host->Pump();
  }
}
BENCHMARK(BM_RecordListAppend)->Unit(benchmark::kMillisecond);

void BM_ButtonHover(benchmark::State& state) {
  Window w;
  bool inside = false;
  for (auto _ : state) {
    w.host->MouseMove(w.hwnd, inside ? CPoint(50, 25) : CPoint(200, 25));
    inside = !inside;
  }
}
BENCHMARK(BM_ButtonHover)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
