// The Cairo side of a Canvas, for the library's own drawing code and the window
// hosts that present back buffers; never included by public headers.
#pragma once

#include <cairo.h>

#include "QorUI/canvas.h"

struct Canvas::Impl {
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;

  Impl(cairo_surface_t* s) : surface(s), cr(cairo_create(s)) {}
  ~Impl() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;
};

inline cairo_t* CairoOf(const Canvas& c) {
  return c.impl() ? c.impl()->cr : nullptr;
}
inline cairo_surface_t* SurfaceOf(const Canvas& c) {
  return c.impl() ? c.impl()->surface : nullptr;
}

// Wraps an existing ARGB32 image surface (takes the reference).
Canvas CanvasFromSurface(cairo_surface_t* surface);
