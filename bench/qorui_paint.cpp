// Paint cost of a 1280 x 720 window holding 150 controls on the headless
// host: a full repaint from valid caches, a full repaint that rebuilds every
// cache, and a hover change on one button (a cached block copy).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "QorUI/control_font.h"
#include "QorUI/dialog.h"
#include "QorUI/headless_host.h"
#include "QorUI/render.h"

namespace {

class BenchButton : public MControlFont {
 public:
  BenchButton(MObject* parent, UINT id, CRect rect, const std::string& title)
      : MControlFont(parent, id, rect, title.c_str()) {
    m_halign = kAlignCenter;
  }
  void DrawControl(Canvas& dc, const CRect&) override {
    const int w = m_rect.Width(), h = m_rect.Height();
    if (!GetUpdate()) {
      Canvas& mem = UpdateMemDC(dc, w * 4, h);
      static constexpr ARGB kFaces[4] = {0xCC2E6F7A, 0xCC3F93A1, 0xCC1F4A52, 0xCC555555};
      for (int i = 0; i < 4; ++i) {
        mem.DrawCanvas(dc, m_rect, CPoint(i * w, 0));
        MRender::DrawRoundRectange(mem, i * w + 0.5f, 0.5f, w - 1.0f, h - 1.0f, 8, 0xFF9FD3DB, 1,
                                   true, kFaces[i]);
        mem.DrawText(m_title, CRect(i * w, 0, i * w + w, h), GetFontSpec(), m_text_color,
                     GetTextFormat());
      }
    }
    const int frame = m_hover ? 1 : 0;
    dc.DrawCanvas(GetMemDC(), CRect(frame * w, 0, frame * w + w, h), m_rect.TopLeft());
  }
  int OnControlMouseMove(UINT, CPoint pt) override {
    const bool hover = m_rect.PtInRect(pt);
    if (hover != m_hover) {
      m_hover = hover;
      UpdateControl(0);
    }
    return hover ? 1 : 0;
  }

 private:
  bool m_hover = false;
};

class BenchDialog : public MDialog {
 public:
  void InitUI(CRect) override {
    // 15 columns x 10 rows of 80 x 40 buttons.
    for (int row = 0; row < 10; ++row)
      for (int col = 0; col < 15; ++col) {
        const CRect r(10 + col * 84, 60 + row * 64, 90 + col * 84, 100 + row * 64);
        AddControl(std::make_unique<BenchButton>(this, 100 + row * 15 + col, r,
                                                 "Key " + std::to_string(row * 15 + col)));
      }
  }
};

struct Window {
  Window() {
    auto owned = std::make_unique<HeadlessHost>();
    host = owned.get();
    Host::Install(std::move(owned));
    hwnd = dlg.Create(0, "Bench", 0x80B, 0, CRect(0, 0, 1280, 720));
    dlg.ShowWindow(SW_SHOW);
    host->Pump();
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
  for (auto _ : state) w.PaintAll();
}
BENCHMARK(BM_FullRepaintCached)->Unit(benchmark::kMillisecond);

void BM_FullRepaintRebuildingCaches(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    for (auto& c : w.dlg.GetControls()) c->SetUpdate(0);
    w.PaintAll();
  }
}
BENCHMARK(BM_FullRepaintRebuildingCaches)->Unit(benchmark::kMillisecond);

void BM_HoverChangeOnOneButton(benchmark::State& state) {
  Window w;
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
