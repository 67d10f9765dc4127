// Canvas drawing over Cairo image surfaces (ARGB32, premultiplied).
#include "QorUI/canvas.h"

#include <cmath>

#include "QorUI/image.h"
#include "framework/canvas_impl.h"

namespace {

void SetSource(cairo_t* cr, ARGB c) {
  cairo_set_source_rgba(cr, ArgbRed(c) / 255.0, ArgbGreen(c) / 255.0, ArgbBlue(c) / 255.0,
                        ArgbAlpha(c) / 255.0);
}

void RectPath(cairo_t* cr, const CRect& r) {
  cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
}

double Radians(float deg) {
  return deg * M_PI / 180.0;
}

}  // namespace

Canvas CanvasFromSurface(cairo_surface_t* surface) {
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return Canvas();
  }
  return Canvas::FromImpl(std::make_unique<Canvas::Impl>(surface));
}

Canvas Canvas::FromImpl(std::unique_ptr<Impl> impl) {
  Canvas c;
  c.m_impl = std::move(impl);
  return c;
}

Canvas::Canvas() = default;
Canvas::~Canvas() = default;
Canvas::Canvas(Canvas&&) noexcept = default;
Canvas& Canvas::operator=(Canvas&&) noexcept = default;

Canvas::Canvas(int width, int height) {
  if (width <= 0 || height <= 0) return;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return;
  }
  m_impl = std::make_unique<Impl>(s);
}

bool Canvas::IsNull() const {
  return !m_impl;
}
int Canvas::Width() const {
  return m_impl ? cairo_image_surface_get_width(m_impl->surface) : 0;
}
int Canvas::Height() const {
  return m_impl ? cairo_image_surface_get_height(m_impl->surface) : 0;
}

void Canvas::Resize(int width, int height) {
  if (width == Width() && height == Height()) return;
  *this = Canvas(width, height);
}

Canvas Canvas::Clone() const {
  Canvas copy(Width(), Height());
  if (!copy.IsNull()) copy.DrawCanvas(*this, Bounds(), CPoint(0, 0));
  return copy;
}

void Canvas::Save() {
  if (m_impl) cairo_save(m_impl->cr);
}
void Canvas::Restore() {
  if (m_impl) cairo_restore(m_impl->cr);
}
void Canvas::IntersectClip(const CRect& rect) {
  if (!m_impl) return;
  RectPath(m_impl->cr, rect);
  cairo_clip(m_impl->cr);
}
void Canvas::Translate(int dx, int dy) {
  if (m_impl) cairo_translate(m_impl->cr, dx, dy);
}

void Canvas::Clear(const CRect& rect) {
  if (!m_impl || rect.IsRectEmpty()) return;
  cairo_t* cr = m_impl->cr;
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  RectPath(cr, rect);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Canvas::FillSolidRect(const CRect& rect, COLORREF color) {
  if (!m_impl || rect.IsRectEmpty()) return;
  cairo_t* cr = m_impl->cr;
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetSource(cr, ArgbFromColorref(color));
  RectPath(cr, rect);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Canvas::FillRect(const CRect& rect, ARGB color) {
  if (!m_impl || rect.IsRectEmpty() || ArgbAlpha(color) == 0) return;
  cairo_t* cr = m_impl->cr;
  SetSource(cr, color);
  RectPath(cr, rect);
  cairo_fill(cr);
}

void Canvas::FillGradient(const CRect& rect, ARGB from, ARGB to, bool vertical) {
  if (!m_impl || rect.IsRectEmpty()) return;
  cairo_t* cr = m_impl->cr;
  cairo_pattern_t* p = vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                                : cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
  auto stop = [p](double at, ARGB c) {
    cairo_pattern_add_color_stop_rgba(p, at, ArgbRed(c) / 255.0, ArgbGreen(c) / 255.0,
                                      ArgbBlue(c) / 255.0, ArgbAlpha(c) / 255.0);
  };
  stop(0, from);
  stop(1, to);
  cairo_set_source(cr, p);
  RectPath(cr, rect);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Canvas::DrawRect(const CRect& rect, ARGB color, int width) {
  if (!m_impl || rect.IsRectEmpty() || width <= 0) return;
  cairo_t* cr = m_impl->cr;
  cairo_save(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  RectPath(cr, rect);
  CRect inner = rect;
  inner.DeflateRect(width, width);
  if (!inner.IsRectEmpty()) RectPath(cr, inner);
  SetSource(cr, color);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Canvas::DrawLine(float x0, float y0, float x1, float y1, ARGB color, float width) {
  if (!m_impl) return;
  cairo_t* cr = m_impl->cr;
  cairo_new_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  SetSource(cr, color);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void Canvas::FillEllipse(const CRect& rect, ARGB color) {
  if (!m_impl || rect.IsRectEmpty()) return;
  BeginPath();
  ArcTo(rect.left + rect.Width() / 2.0f, rect.top + rect.Height() / 2.0f, rect.Width() / 2.0f,
        rect.Height() / 2.0f, 0, 360);
  ClosePath();
  FillPath(color);
  cairo_new_path(m_impl->cr);
}

void Canvas::DrawEllipse(const CRect& rect, ARGB color, float width) {
  if (!m_impl || rect.IsRectEmpty()) return;
  BeginPath();
  ArcTo(rect.left + rect.Width() / 2.0f, rect.top + rect.Height() / 2.0f,
        (rect.Width() - width) / 2.0f, (rect.Height() - width) / 2.0f, 0, 360);
  ClosePath();
  StrokePath(color, width);
  cairo_new_path(m_impl->cr);
}

void Canvas::BeginPath() {
  if (m_impl) cairo_new_path(m_impl->cr);
}
void Canvas::MoveTo(float x, float y) {
  if (m_impl) cairo_move_to(m_impl->cr, x, y);
}
void Canvas::LineTo(float x, float y) {
  if (m_impl) cairo_line_to(m_impl->cr, x, y);
}
void Canvas::ArcTo(float cx, float cy, float rx, float ry, float start_deg, float sweep_deg) {
  if (!m_impl || rx <= 0 || ry <= 0) return;
  cairo_t* cr = m_impl->cr;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  if (sweep_deg >= 0)
    cairo_arc(cr, 0, 0, 1, Radians(start_deg), Radians(start_deg + sweep_deg));
  else
    cairo_arc_negative(cr, 0, 0, 1, Radians(start_deg), Radians(start_deg + sweep_deg));
  cairo_restore(cr);
}
void Canvas::ClosePath() {
  if (m_impl) cairo_close_path(m_impl->cr);
}
void Canvas::FillPath(ARGB color) {
  if (!m_impl) return;
  SetSource(m_impl->cr, color);
  cairo_fill_preserve(m_impl->cr);
}
void Canvas::StrokePath(ARGB color, float width) {
  if (!m_impl || width <= 0) return;
  SetSource(m_impl->cr, color);
  cairo_set_line_width(m_impl->cr, width);
  cairo_stroke_preserve(m_impl->cr);
}

void Canvas::DrawImage(const Image& image, const CRect& dest, const CRect& src, BYTE alpha) {
  cairo_surface_t* from = SurfaceOf(image.Pixels());
  if (!m_impl || !from || dest.IsRectEmpty() || src.IsRectEmpty() || alpha == 0) return;
  CRect clipped;
  if (!clipped.IntersectRect(src, image.Pixels().Bounds())) return;
  cairo_t* cr = m_impl->cr;
  cairo_save(cr);
  RectPath(cr, dest);
  cairo_clip(cr);
  if (dest.Size() == src.Size()) {
    // 1:1 copies stay exact: no filtering, no bleeding from outside `src`.
    cairo_set_source_surface(cr, from, dest.left - src.left, dest.top - src.top);
  } else {
    // A sub-surface with padded edges keeps the stretch from sampling the
    // neighbouring frame or slice.
    cairo_surface_t* part = cairo_surface_create_for_rectangle(from, clipped.left, clipped.top,
                                                               clipped.Width(), clipped.Height());
    cairo_translate(cr, dest.left, dest.top);
    cairo_scale(cr, static_cast<double>(dest.Width()) / src.Width(),
                static_cast<double>(dest.Height()) / src.Height());
    cairo_set_source_surface(cr, part, clipped.left - src.left, clipped.top - src.top);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_surface_destroy(part);
  }
  if (alpha == 255)
    cairo_paint(cr);
  else
    cairo_paint_with_alpha(cr, alpha / 255.0);
  cairo_restore(cr);
}

void Canvas::DrawCanvas(const Canvas& src, const CRect& src_rect, CPoint dest, BlendMode mode,
                        BYTE alpha) {
  cairo_surface_t* from = SurfaceOf(src);
  if (!m_impl || !from || src_rect.IsRectEmpty()) return;
  cairo_t* cr = m_impl->cr;
  cairo_save(cr);
  cairo_set_operator(cr, mode == BlendMode::kCopy ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_OVER);
  cairo_rectangle(cr, dest.x, dest.y, src_rect.Width(), src_rect.Height());
  cairo_clip(cr);
  cairo_set_source_surface(cr, from, dest.x - src_rect.left, dest.y - src_rect.top);
  if (alpha == 255)
    cairo_paint(cr);
  else
    cairo_paint_with_alpha(cr, alpha / 255.0);
  cairo_restore(cr);
}

ARGB Canvas::GetPixel(int x, int y) const {
  if (!m_impl || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  cairo_surface_flush(m_impl->surface);
  const unsigned char* data = cairo_image_surface_get_data(m_impl->surface);
  const int stride = cairo_image_surface_get_stride(m_impl->surface);
  const auto p = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
  const unsigned a = p >> 24;
  if (a == 0) return 0;
  auto un = [a](unsigned v) { return (v * 255 + a / 2) / a; };
  return MakeArgb(a, un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF));
}

bool Canvas::SavePng(const std::string& path) const {
  if (!m_impl) return false;
  cairo_surface_flush(m_impl->surface);
  return cairo_surface_write_to_png(m_impl->surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
