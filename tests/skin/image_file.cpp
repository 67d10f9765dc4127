// Image loading for the skin check through GdkPixbuf: the whole file is
// decoded, so a truncated or corrupt image fails here as it would in a page.
#include "skin/image_file.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <memory>

namespace skin_check {
namespace {

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};

}  // namespace

ImageFile LoadImageFile(const std::string& path) {
  ImageFile result;
  GdkPixbufFormat* format = gdk_pixbuf_get_file_info(path.c_str(), nullptr, nullptr);
  if (format == nullptr) {
    result.error = "not an image GdkPixbuf recognises";
    return result;
  }
  std::unique_ptr<gchar, decltype(&g_free)> name(gdk_pixbuf_format_get_name(format), g_free);
  result.format = name.get();

  GError* raw_error = nullptr;
  std::unique_ptr<GdkPixbufAnimation, GObjectUnref> animation(
      gdk_pixbuf_animation_new_from_file(path.c_str(), &raw_error));
  std::unique_ptr<GError, GErrorFree> error(raw_error);
  if (!animation) {
    result.error = error ? error->message : "cannot be decoded";
    return result;
  }
  result.animated = !gdk_pixbuf_animation_is_static_image(animation.get());
  result.width = gdk_pixbuf_animation_get_width(animation.get());
  result.height = gdk_pixbuf_animation_get_height(animation.get());
  if (!result.animated) {
    // The animation loader stops at the header for some formats; decoding
    // the pixels proves the data is whole.
    std::unique_ptr<GdkPixbuf, GObjectUnref> pixels(
        gdk_pixbuf_new_from_file(path.c_str(), &raw_error));
    error.reset(raw_error);
    if (!pixels) {
      result.error = error ? error->message : "cannot be decoded";
      return result;
    }
  }
  result.loaded = true;
  return result;
}

}  // namespace skin_check
