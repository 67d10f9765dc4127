// Decoded pictures (PNG, GIF, anything GdkPixbuf reads), kept in the canvas
// format so that drawing them is a plain copy.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "QorUI/canvas.h"

class Image {
 public:
  explicit Image(Canvas pixels) : m_pixels(std::move(pixels)) {}

  // Null when the file is missing or not a picture.
  static std::unique_ptr<Image> LoadFromFile(const std::string& path);
  static std::unique_ptr<Image> LoadFromMemory(const void* data, std::size_t size);

  struct Frame {
    std::unique_ptr<Image> image;
    int delay_ms = 0;
  };
  // Every frame of an animation (one frame for a still picture); empty on failure.
  static std::vector<Frame> LoadFramesFromFile(const std::string& path);

  int Width() const { return m_pixels.Width(); }
  int Height() const { return m_pixels.Height(); }
  const Canvas& Pixels() const { return m_pixels; }

 private:
  Canvas m_pixels;
};
