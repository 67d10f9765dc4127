// Test doubles: a two-frame control that records what reaches it, and a
// dialog that records its notifications; plus a fixture with a headless host.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "QorUI/dialog.h"
#include "QorUI/headless_host.h"

// Normal frame in `color`, hover frame in `hover_color`; renders counts cache
// rebuilds. Focus changes are logged as "<id>+" and "<id>-" into `focus_log`
// when it is set.
class Probe : public MControl {
 public:
  Probe(MObject* parent, UINT id, CRect rect, ARGB color, ARGB hover_color = 0xFFFFFFFF)
      : MControl(parent, id, rect), m_color(color), m_hover_color(hover_color) {}

  void DrawControl(Canvas& dc, const CRect&) override {
    const int w = m_rect.Width(), h = m_rect.Height();
    if (!GetUpdate()) {
      ++renders;
      Canvas& mem = UpdateMemDC(dc, w * 2, h);
      mem.DrawCanvas(dc, m_rect, CPoint(0, 0));
      mem.DrawCanvas(dc, m_rect, CPoint(w, 0));
      mem.FillRect(CRect(0, 0, w, h), m_color);
      mem.FillRect(CRect(w, 0, 2 * w, h), m_hover_color);
    }
    const int frame = hover ? 1 : 0;
    dc.DrawCanvas(GetMemDC(), CRect(frame * w, 0, frame * w + w, h), m_rect.TopLeft(),
                  BlendMode::kOver);
  }
  int OnControlLButtonDown(UINT, CPoint pt) override {
    log.push_back("down");
    points.push_back(pt);
    SendMessageW(kNotifyPressed);
    return 1;
  }
  int OnControlLButtonUp(UINT, CPoint pt) override {
    log.push_back("up");
    if (m_rect.PtInRect(pt)) SendMessageW(kNotifyClicked);
    return 1;
  }
  int OnControlMouseMove(UINT, CPoint pt) override {
    moves.push_back(pt);
    const bool in = m_rect.PtInRect(pt);
    if (in != hover) {
      hover = in;
      UpdateControl(0);
    }
    return in ? 1 : 0;
  }
  int OnControlScroll(int delta, UINT flags, CPoint) override {
    if (!takes_wheel) return 0;
    scrolls.push_back({delta, static_cast<int>(flags)});
    return 1;
  }
  int SetControlFocus(int focus) override {
    if (focus_log) focus_log->push_back(std::to_string(m_id) + (focus ? "+" : "-"));
    return MControl::SetControlFocus(focus);
  }
  int OnControlTimer() override {
    ++ticks;
    return 1;
  }
  int OnControlKeyDown(UINT key, UINT repeat, UINT flags) override {
    keys.push_back(key);
    return key == handled_key ? 1 : MControl::OnControlKeyDown(key, repeat, flags);
  }

  ARGB m_color, m_hover_color;
  bool hover = false;
  bool takes_wheel = true;
  std::vector<std::string>* focus_log = nullptr;
  int renders = 0;
  int ticks = 0;
  UINT handled_key = 0;
  std::vector<std::string> log;
  std::vector<CPoint> points, moves;
  std::vector<std::pair<int, int>> scrolls;
  std::vector<UINT> keys;
};

struct Notice {
  UINT id, code;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Notice&) const = default;
};

class TestDialog : public MDialog {
 public:
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override {
    notices.push_back({id, code, wParam, lParam});
    if (on_message) on_message(id, code);
    return 0;
  }
  LRESULT OnTimer(UINT id) override {
    own_timers.push_back(id);
    return 0;
  }
  void InitUI(CRect client) override {
    init_client = client;
    if (build) build(*this);
  }
  void UISize(CRect client) override { sized.push_back(client); }
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg >= WM_USER && msg != WM_USER_CLOSE_WINDOW) posted.push_back({0, msg, wParam, lParam});
    return MDialog::OnWindowMessage(msg, wParam, lParam);
  }

  Probe* AddProbe(UINT id, CRect rect, ARGB color, int layer = 1) {
    return static_cast<Probe*>(AddControl(std::make_unique<Probe>(this, id, rect, color), layer));
  }
  std::vector<UINT> Codes(UINT id) const {
    std::vector<UINT> codes;
    for (const Notice& n : notices)
      if (n.id == id) codes.push_back(n.code);
    return codes;
  }

  std::function<void(TestDialog&)> build;
  std::function<void(UINT, UINT)> on_message;
  std::vector<Notice> notices;
  std::vector<UINT> own_timers;
  std::vector<CRect> sized;
  std::vector<MSG> posted;
  CRect init_client;
};

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<HeadlessHost>();
    host = owned.get();
    Host::Install(std::move(owned));
  }
  void TearDown() override { Host::Install(nullptr); }

  // Creates and shows a dialog of the given size at (100, 100) and paints it.
  HWND Open(TestDialog& dlg, CSize size = CSize(400, 300)) {
    const HWND hwnd = dlg.Create(0, "Test", 0x80B, 0, CRect(CPoint(100, 100), size));
    dlg.ShowWindow(SW_SHOW);
    host->Pump();
    return hwnd;
  }
  const Canvas& Screen(HWND hwnd) { return host->Window(hwnd)->Screen(); }

  HeadlessHost* host = nullptr;
};
