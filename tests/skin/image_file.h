// Loads an image file the way the framework does (GdkPixbuf) and reports what
// it holds, so the skin check sees exactly what the program would.
#pragma once

#include <string>

namespace skin_check {

struct ImageFile {
  bool loaded = false;
  std::string format;  // "png", "gif", "ico" as GdkPixbuf names them
  int width = 0;
  int height = 0;
  bool animated = false;
  std::string error;  // why it did not load
};

ImageFile LoadImageFile(const std::string& path);

}  // namespace skin_check
