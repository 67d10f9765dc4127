// Small helpers shared by the QorUI tests: temporary folders and pixel checks.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "QorUI/canvas.h"

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/qorui_test_XXXXXX";
    m_path = mkdtemp(tmpl);
  }
  ~TempDir() { std::filesystem::remove_all(m_path); }
  const std::string& path() const { return m_path; }
  std::string operator/(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// Colour channels may differ by rounding in premultiplication and filtering.
inline ::testing::AssertionResult NearColor(ARGB actual, ARGB expected, int tolerance = 2) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = (actual >> shift) & 0xFF;
    const int e = (expected >> shift) & 0xFF;
    if (a - e > tolerance || e - a > tolerance) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "0x%08X vs expected 0x%08X", actual, expected);
      return ::testing::AssertionFailure() << buf;
    }
  }
  return ::testing::AssertionSuccess();
}

// Number of pixels in `rect` whose alpha is not zero.
inline int InkCount(const Canvas& c, const CRect& rect) {
  int n = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (ArgbAlpha(c.GetPixel(x, y)) != 0) ++n;
  return n;
}
