// Whole-screen capture for screen lighting. The real back end is X11
// (x11_screen_capture.cpp: MIT-SHM, or plain XGetImage without it).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

// A captured screen: 0x00RRGGBB pixels (the top byte is ignored), `stride`
// pixels from one row to the next. Valid until the next capture.
struct ScreenPixels {
  const std::uint32_t* data = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  std::uint32_t At(int x, int y) const { return data[static_cast<std::size_t>(y) * stride + x]; }
};

class ScreenCapture {
 public:
  virtual ~ScreenCapture() = default;
  // Captures the whole screen at its current size; nothing when it cannot.
  virtual std::optional<ScreenPixels> Capture() = 0;
};

enum class X11SharedMemory { kUseWhenPresent, kNever };

// Opens its own connection to $DISPLAY; null when there is no X server. Must be
// used on the thread that created it.
std::unique_ptr<ScreenCapture> CreateX11ScreenCapture(
    X11SharedMemory shm = X11SharedMemory::kUseWhenPresent);
