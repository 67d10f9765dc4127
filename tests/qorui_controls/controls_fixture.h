// The fixture of the control tests: a headless host with the controls
// registered, a dialog to build them in, and a few pixel helpers.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "QorUI/controls.h"
#include "qorui/probe.h"
#include "qorui/test_support.h"

class ControlsTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    RegisterControls();
  }

  // Opens `dlg` after `build` has created its controls.
  HWND OpenWith(TestDialog& dlg, std::function<void(TestDialog&)> build,
                CSize size = CSize(600, 400)) {
    dlg.build = std::move(build);
    hwnd = Open(dlg, size);
    return hwnd;
  }

  template <typename T>
  static T* Make(TestDialog& d, const char* class_name, UINT id, CRect rect,
                 const char* title = "") {
    auto* control = dynamic_cast<T*>(d.CreateControl(class_name, id, rect, title));
    EXPECT_NE(control, nullptr) << class_name;
    return control;
  }

  ARGB Pixel(CPoint pt) { return Screen(hwnd).GetPixel(pt.x, pt.y); }

  // Codes notified by control `id` since the last call.
  std::vector<UINT> TakeCodes(TestDialog& dlg, UINT id) {
    std::vector<UINT> codes = dlg.Codes(id);
    dlg.notices.clear();
    return codes;
  }

  HWND hwnd = 0;
};
