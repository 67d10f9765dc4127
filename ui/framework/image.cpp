// Picture decoding with GdkPixbuf into premultiplied ARGB32 canvases.
#include "QorUI/image.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstring>

#include "framework/canvas_impl.h"

namespace {

Canvas CanvasFromPixbuf(GdkPixbuf* pixbuf) {
  const int w = gdk_pixbuf_get_width(pixbuf);
  const int h = gdk_pixbuf_get_height(pixbuf);
  Canvas canvas(w, h);
  cairo_surface_t* s = SurfaceOf(canvas);
  if (!s || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8) return Canvas();
  cairo_surface_flush(s);
  unsigned char* dst = cairo_image_surface_get_data(s);
  const int dst_stride = cairo_image_surface_get_stride(s);
  const guchar* src = gdk_pixbuf_read_pixels(pixbuf);
  const int src_stride = gdk_pixbuf_get_rowstride(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
  for (int y = 0; y < h; ++y) {
    const guchar* in = src + y * src_stride;
    auto* out = reinterpret_cast<std::uint32_t*>(dst + y * dst_stride);
    for (int x = 0; x < w; ++x, in += channels) {
      const unsigned a = alpha ? in[3] : 255;
      auto pre = [a](unsigned v) { return (v * a + 127) / 255; };
      out[x] = (a << 24) | (pre(in[0]) << 16) | (pre(in[1]) << 8) | pre(in[2]);
    }
  }
  cairo_surface_mark_dirty(s);
  return canvas;
}

std::unique_ptr<Image> ImageFromPixbuf(GdkPixbuf* pixbuf) {
  if (!pixbuf) return nullptr;
  Canvas pixels = CanvasFromPixbuf(pixbuf);
  g_object_unref(pixbuf);
  if (pixels.IsNull()) return nullptr;
  return std::make_unique<Image>(std::move(pixels));
}

bool SamePicture(GdkPixbuf* a, GdkPixbuf* b) {
  if (!a || !b || gdk_pixbuf_get_byte_length(a) != gdk_pixbuf_get_byte_length(b)) return false;
  return std::memcmp(gdk_pixbuf_read_pixels(a), gdk_pixbuf_read_pixels(b),
                     gdk_pixbuf_get_byte_length(a)) == 0;
}

}  // namespace

std::unique_ptr<Image> Image::LoadFromFile(const std::string& path) {
  if (path.empty()) return nullptr;
  return ImageFromPixbuf(gdk_pixbuf_new_from_file(path.c_str(), nullptr));
}

std::unique_ptr<Image> Image::LoadFromMemory(const void* data, std::size_t size) {
  if (!data || size == 0) return nullptr;
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  GdkPixbuf* pixbuf = nullptr;
  if (gdk_pixbuf_loader_write(loader, static_cast<const guchar*>(data), size, nullptr) &&
      gdk_pixbuf_loader_close(loader, nullptr)) {
    pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    if (pixbuf) g_object_ref(pixbuf);
  } else {
    gdk_pixbuf_loader_close(loader, nullptr);
  }
  g_object_unref(loader);
  return ImageFromPixbuf(pixbuf);
}

std::vector<Image::Frame> Image::LoadFramesFromFile(const std::string& path) {
  std::vector<Frame> frames;
  GdkPixbufAnimation* anim = gdk_pixbuf_animation_new_from_file(path.c_str(), nullptr);
  if (!anim) return frames;
  if (gdk_pixbuf_animation_is_static_image(anim)) {
    GdkPixbuf* still = gdk_pixbuf_animation_get_static_image(anim);
    if (still) frames.push_back({ImageFromPixbuf(static_cast<GdkPixbuf*>(g_object_ref(still))), 0});
    g_object_unref(anim);
    return frames;
  }
  // Steps a private clock through the animation once: a frame delay of -1
  // (show forever) ends it, and so does coming back to the first frame's
  // picture (the loader reuses one pixbuf, so pictures are compared).
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  GTimeVal clock{0, 0};
  GdkPixbufAnimationIter* iter = gdk_pixbuf_animation_get_iter(anim, &clock);
  GdkPixbuf* first = gdk_pixbuf_copy(gdk_pixbuf_animation_iter_get_pixbuf(iter));
  for (int i = 0; i < 1000; ++i) {
    const int delay = gdk_pixbuf_animation_iter_get_delay_time(iter);
    GdkPixbuf* pb = gdk_pixbuf_animation_iter_get_pixbuf(iter);
    if (!pb || (i > 0 && SamePicture(pb, first))) break;
    frames.push_back({ImageFromPixbuf(gdk_pixbuf_copy(pb)), std::max(delay, 0)});
    if (delay < 0) break;
    g_time_val_add(&clock, static_cast<glong>(std::max(delay, 1)) * 1000);
    gdk_pixbuf_animation_iter_advance(iter, &clock);
  }
  G_GNUC_END_IGNORE_DEPRECATIONS
  g_object_unref(first);
  g_object_unref(iter);
  g_object_unref(anim);
  std::erase_if(frames, [](const Frame& f) { return !f.image; });
  return frames;
}
