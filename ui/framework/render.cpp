// MRender: the stateless drawing helpers over Canvas.
#include "QorUI/render.h"

#include <algorithm>
#include <cmath>

#include "framework/resources.h"

std::unique_ptr<Image> MRender::LoadImageFromFile(const std::string& path) {
  return Image::LoadFromFile(path);
}

std::unique_ptr<Image> MRender::LoadImageFromIDResource(UINT id) {
  const ResourceBytes res = LibraryResource(id);
  return Image::LoadFromMemory(res.data, res.size);
}

void MRender::DrawImageFrame(Canvas& dc, const Image* image, const CRect& dest, int sx, int sy,
                             int sw, int sh, int corner) {
  DrawImageFrameMID(dc, image, dest, sx, sy, sw, sh, corner, corner, corner, corner);
}

void MRender::DrawImageFrameMID(Canvas& dc, const Image* image, const CRect& dest, int sx, int sy,
                                int sw, int sh, int l, int t, int r, int b) {
  if (!image) return;
  // A frame smaller than its two corners (a small spin arrow under 10-pixel
  // corners) would overlap its own halves and draw its middle twice; its
  // corners shrink to leave a centre of one pixel.
  const auto fit = [](int& a, int& b, int size) {
    if (size <= 0 || a + b < size) return;
    const int keep = size - 1;
    const int sum = a + b;
    a = sum > 0 ? a * keep / sum : 0;
    b = keep - a;
  };
  fit(l, r, sw);
  fit(t, b, sh);
  // Column and row edges of the source and destination grids.
  const int sxs[4] = {sx, sx + l, sx + sw - r, sx + sw};
  const int sys[4] = {sy, sy + t, sy + sh - b, sy + sh};
  const int dxs[4] = {dest.left, dest.left + l, dest.right - r, dest.right};
  const int dys[4] = {dest.top, dest.top + t, dest.bottom - b, dest.bottom};
  auto cell = [&](int col, int row) {
    const CRect d(dxs[col], dys[row], dxs[col + 1], dys[row + 1]);
    const CRect s(sxs[col], sys[row], sxs[col + 1], sys[row + 1]);
    dc.DrawImage(*image, d, s);
  };
  // Top-left, left, bottom-left, top, top-right, right, bottom-right, bottom, centre.
  cell(0, 0);
  cell(0, 1);
  cell(0, 2);
  cell(1, 0);
  cell(2, 0);
  cell(2, 1);
  cell(2, 2);
  cell(1, 2);
  cell(1, 1);
}

void MRender::DrawRoundRectange(Canvas& dc, float x, float y, float w, float h, float k, ARGB pen,
                                float pen_width, bool fill, ARGB fill_colour) {
  if (w <= 0 || h <= 0 || k <= 0) return;
  float rx = w / k / 2;
  float ry = h / k / 2;
  if (std::fabs(rx - ry) > 10) rx = ry = std::min(rx, ry);
  dc.BeginPath();
  dc.MoveTo(x + rx, y);
  dc.LineTo(x + w - rx, y);
  dc.ArcTo(x + w - rx, y + ry, rx, ry, 270, 90);
  dc.LineTo(x + w, y + h - ry);
  dc.ArcTo(x + w - rx, y + h - ry, rx, ry, 0, 90);
  dc.LineTo(x + rx, y + h);
  dc.ArcTo(x + rx, y + h - ry, rx, ry, 90, 90);
  dc.LineTo(x, y + ry);
  dc.ArcTo(x + rx, y + ry, rx, ry, 180, 90);
  dc.ClosePath();
  if (fill) dc.FillPath(fill_colour);
  if (pen_width > 0 && ArgbAlpha(pen) != 0) dc.StrokePath(pen, pen_width);
  dc.BeginPath();
}

void MRender::DrawRoundRectange(Canvas& dc, float x, float y, float w, float h, float k,
                                ARGB fill_colour) {
  DrawRoundRectange(dc, x, y, w, h, k, 0, 0, true, fill_colour);
}

void MRender::DrawGradient(Canvas& dc, const CRect& rect, DWORD from, DWORD to, bool vertical,
                           int /*steps*/) {
  const unsigned alpha = (ArgbAlpha(from) + ArgbAlpha(to)) / 2;
  if (alpha == 0 || rect.IsRectEmpty()) return;
  // The gradient runs between the opaque colours and is laid on with the one
  // averaged alpha, as a two-vertex gradient fill blended at constant alpha.
  Canvas band(rect.Width(), rect.Height());
  band.FillGradient(band.Bounds(), from | 0xFF000000u, to | 0xFF000000u, vertical);
  dc.DrawCanvas(band, band.Bounds(), rect.TopLeft(), BlendMode::kOver, static_cast<BYTE>(alpha));
}

void MRender::DrawColor(Canvas& dc, const CRect& rect, DWORD argb) {
  dc.FillRect(rect, argb);
}

void MRender::FillSolidRect(Canvas& dc, const CRect& rect, COLORREF color) {
  dc.FillSolidRect(rect, color);
}

void MRender::FillSolidRect(Canvas& dc, int x, int y, int cx, int cy, COLORREF color) {
  dc.FillSolidRect(CRect(x, y, x + cx, y + cy), color);
}

void MRender::DrawRectangle(Canvas& dc, const CRect& rect, COLORREF color, int width) {
  dc.DrawRect(rect, ArgbFromColorref(color), width);
}

void MRender::DrawTextW(Canvas& dc, const CRect& rect, std::string_view text, COLORREF color,
                        const FontSpec& font, UINT format) {
  TextFormat f;
  f.halign = (format & DT_RIGHT) ? kAlignRight : (format & DT_CENTER) ? kAlignCenter : kAlignLeft;
  f.valign = (format & DT_BOTTOM)    ? kAlignBottom
             : (format & DT_VCENTER) ? kAlignVCenter
                                     : kAlignTop;
  f.wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
  f.ellipsis = (format & DT_END_ELLIPSIS) != 0;
  dc.DrawText(text, rect, font, ArgbFromColorref(color), f);
}

CSize MRender::GetTextBounds(const FontSpec& font, const TextFormat& format,
                             std::string_view text) {
  (void)format;
  return Canvas::MeasureText(text, font);
}

CSize MRender::GetTextBounds(const FontSpec& font, const TextFormat& /*format*/, int width,
                             std::string_view text) {
  return Canvas::MeasureText(text, font, std::max(width, 0));
}

CSize MRender::GetTextBounds(const FontSpec& font, std::string_view text) {
  return Canvas::MeasureText(text, font);
}

CPoint MRender::GetOriginPoint(int width, int height, int cx, int cy, UINT halign, UINT valign) {
  return GetOriginPoint(CRect(0, 0, width, height), cx, cy, halign, valign);
}

CPoint MRender::GetOriginPoint(const CRect& area, int cx, int cy, UINT halign, UINT valign) {
  CPoint p = area.TopLeft();
  if (halign == kAlignCenter) p.x += (area.Width() - cx) / 2;
  if (halign == kAlignRight) p.x = area.right - cx;
  if (valign == kAlignVCenter) p.y += (area.Height() - cy) / 2;
  if (valign == kAlignBottom) p.y = area.bottom - cy;
  return p;
}

Canvas MRender::CreateARGB32Bitmap(int width, int height) {
  return Canvas(width, height);
}

void MRender::BitBlt(Canvas& dst, int x, int y, int cx, int cy, const Canvas& src, int sx, int sy) {
  dst.DrawCanvas(src, CRect(sx, sy, sx + cx, sy + cy), CPoint(x, y));
}

void MRender::CheckAlphaColor(DWORD& color) {
  if ((color & 0x00FFFFFFu) == 0) color += 1;
}

int MRender::SaveBitmapToFile(const Canvas& bitmap, const std::string& path) {
  return bitmap.SavePng(path) ? 1 : 0;
}
