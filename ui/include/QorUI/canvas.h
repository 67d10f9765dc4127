// The one drawing surface of the library: an off-screen 32-bit ARGB image that
// controls, caches, back buffers and images all are. The drawing back end is
// hidden so that no toolkit type leaks into the program's headers.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "QorUI/types.h"

// Font style bits, as the controls store them.
enum FontStyleBits : int {
  FontStyleRegular = 0,
  FontStyleBold = 1,
  FontStyleItalic = 2,
  FontStyleUnderline = 4,
  FontStyleStrikeout = 8,
};

// Alignment values of the controls: horizontal 0/1/2, vertical 0/4/8.
enum TextAlign : UINT {
  kAlignLeft = 0,
  kAlignCenter = 1,
  kAlignRight = 2,
  kAlignTop = 0,
  kAlignVCenter = 4,
  kAlignBottom = 8,
};

struct FontSpec {
  std::string face = "Arial";
  int size = 14;  // pixels (em size)
  int style = FontStyleRegular;
};

struct TextFormat {
  UINT halign = kAlignLeft;
  UINT valign = kAlignVCenter;
  bool wrap = false;      // break lines at the rectangle's width
  bool ellipsis = false;  // end a line that does not fit with "…"
};

enum class BlendMode { kCopy, kOver };

class Image;

class Canvas {
 public:
  Canvas();
  // Transparent black; a canvas whose surface cannot be made is null.
  Canvas(int width, int height);
  ~Canvas();
  Canvas(Canvas&&) noexcept;
  Canvas& operator=(Canvas&&) noexcept;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool IsNull() const;
  int Width() const;
  int Height() const;
  CRect Bounds() const { return CRect(0, 0, Width(), Height()); }
  // Reallocates at the new size (cleared) when it differs.
  void Resize(int width, int height);
  Canvas Clone() const;

  // Drawing state: clips and translations nest between Save and Restore.
  void Save();
  void Restore();
  void IntersectClip(const CRect& rect);
  void Translate(int dx, int dy);

  // Sets every pixel of the rectangle to transparent black.
  void Clear(const CRect& rect);
  // Replaces the pixels with an opaque colour.
  void FillSolidRect(const CRect& rect, COLORREF color);
  // Blends the colour over the rectangle.
  void FillRect(const CRect& rect, ARGB color);
  void FillGradient(const CRect& rect, ARGB from, ARGB to, bool vertical);
  // A `width`-pixel outline drawn inside the rectangle.
  void DrawRect(const CRect& rect, ARGB color, int width = 1);
  void DrawLine(float x0, float y0, float x1, float y1, ARGB color, float width = 1.0f);
  void FillEllipse(const CRect& rect, ARGB color);
  void DrawEllipse(const CRect& rect, ARGB color, float width = 1.0f);

  // A path in floating-point pixels; angles in degrees, clockwise from +x.
  void BeginPath();
  void MoveTo(float x, float y);
  void LineTo(float x, float y);
  void ArcTo(float cx, float cy, float rx, float ry, float start_deg, float sweep_deg);
  void ClosePath();
  void FillPath(ARGB color);                 // keeps the path
  void StrokePath(ARGB color, float width);  // keeps the path

  // Scales the source rectangle of the image into `dest`; empty extents draw nothing.
  void DrawImage(const Image& image, const CRect& dest, const CRect& src, BYTE alpha = 255);
  // Unscaled copy of `src_rect` of another canvas to `dest` (block copy or blend).
  void DrawCanvas(const Canvas& src, const CRect& src_rect, CPoint dest,
                  BlendMode mode = BlendMode::kCopy, BYTE alpha = 255);

  void DrawText(std::string_view text, const CRect& rect, const FontSpec& font, ARGB color,
                const TextFormat& format = {});
  // Logical size of the text as laid out; `wrap_width` < 0 lays it out on one line.
  static CSize MeasureText(std::string_view text, const FontSpec& font, int wrap_width = -1);

  // Straight (not premultiplied) colour of one pixel; 0 outside.
  ARGB GetPixel(int x, int y) const;
  bool SavePng(const std::string& path) const;

  // The back end's side, for the library's own drawing and window code.
  struct Impl;
  Impl* impl() const { return m_impl.get(); }
  static Canvas FromImpl(std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> m_impl;
};
