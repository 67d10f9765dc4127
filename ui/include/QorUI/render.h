// Static drawing helpers every control uses: nine-slice frames, rounded
// rectangles, gradients, text measurement and placement, block copies.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "QorUI/canvas.h"
#include "QorUI/image.h"
#include "QorUI/types.h"

// Text format bits of DrawTextW.
enum DrawTextFlags : UINT {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_END_ELLIPSIS = 0x8000,
};

// Resource ids of the library's own images.
constexpr UINT kResScrollHorizontal = 101;
constexpr UINT kResScrollVertical = 102;

class MRender {
 public:
  MRender() = delete;

  // Null on any failure.
  static std::unique_ptr<Image> LoadImageFromFile(const std::string& path);
  static std::unique_ptr<Image> LoadImageFromIDResource(UINT id);

  // Nine-slice draw of the source rectangle (sx, sy, sw, sh): corners unscaled,
  // edges stretched along their length, the centre both ways.
  static void DrawImageFrame(Canvas& dc, const Image* image, const CRect& dest, int sx, int sy,
                             int sw, int sh, int corner);
  static void DrawImageFrameMID(Canvas& dc, const Image* image, const CRect& dest, int sx, int sy,
                                int sw, int sh, int left, int top, int right, int bottom);

  // `k` divides the size into the corner radii (12: one twelfth of each side).
  static void DrawRoundRectange(Canvas& dc, float x, float y, float w, float h, float k, ARGB pen,
                                float pen_width, bool fill, ARGB fill_colour);
  static void DrawRoundRectange(Canvas& dc, float x, float y, float w, float h, float k,
                                ARGB fill_colour);

  // Colours 0xAARRGGBB; blended with the average of the two alphas.
  static void DrawGradient(Canvas& dc, const CRect& rect, DWORD from, DWORD to, bool vertical,
                           int steps);
  // Nothing when the alpha byte is 0.
  static void DrawColor(Canvas& dc, const CRect& rect, DWORD argb);
  static void FillSolidRect(Canvas& dc, const CRect& rect, COLORREF color);
  static void FillSolidRect(Canvas& dc, int x, int y, int cx, int cy, COLORREF color);
  static void DrawRectangle(Canvas& dc, const CRect& rect, COLORREF color, int width = 1);
  static void DrawTextW(Canvas& dc, const CRect& rect, std::string_view text, COLORREF color,
                        const FontSpec& font, UINT format);

  static CSize GetTextBounds(const FontSpec& font, const TextFormat& format, std::string_view text);
  static CSize GetTextBounds(const FontSpec& font, const TextFormat& format, int width,
                             std::string_view text);
  static CSize GetTextBounds(const FontSpec& font, std::string_view text);

  // Top-left of a cx × cy item placed by the alignments in an area of
  // `width` × `height` at the origin, or in `area`.
  static CPoint GetOriginPoint(int width, int height, int cx, int cy, UINT halign, UINT valign);
  static CPoint GetOriginPoint(const CRect& area, int cx, int cy, UINT halign, UINT valign);

  static Canvas CreateARGB32Bitmap(int width, int height);
  static void BitBlt(Canvas& dst, int x, int y, int cx, int cy, const Canvas& src, int sx, int sy);

  // A colour whose low 24 bits are 0 is raised by 1, so black never equals a
  // transparent colour key.
  static void CheckAlphaColor(DWORD& color);

  // Writes the canvas as a PNG file; 1 on success.
  static int SaveBitmapToFile(const Canvas& bitmap, const std::string& path);
};
