// A small list of frame-strip images addressed by index or by id, drawn
// stretched into a rectangle (list and picker icons).
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "QorUI/canvas.h"
#include "QorUI/image.h"

struct _M_IAMGELIST {
  std::unique_ptr<Image> image;
  int frame_width = 0;  // image width divided by the frame count
  int frame_height = 0;
  int id = 0;
  int frames = 1;
  std::string path;
};

class MImageList {
 public:
  // Paths are used as given. Both return the new index, or -1 when the path is
  // empty, the image cannot be loaded or (InsertImage) the index is outside
  // -1 .. count-1 (-1 appends).
  int AddImage(const std::string& path, int id, int frames);
  int InsertImage(int index, const std::string& path, int id, int frames);

  // Draws the first (or the given) frame stretched into the rectangle.
  void DrawItemIcon(Canvas& dc, const CRect& rect, int index);
  void DrawItemIcon(Canvas& dc, const CRect& rect, int index, int frame);

  void SetDrawImgSize(int width, int height);
  CSize GetIconSize() const;

  // Null when there is no such entry; valid until the entry is removed.
  const _M_IAMGELIST* GetItemImageData(int index) const;
  const _M_IAMGELIST* GetImageDataByID(int id) const;
  std::string GetImagePath(int index) const;
  std::string GetImagePathByID(int id) const;
  int GetImageCount() const;
  void DelAllImages();

 private:
  mutable std::mutex m_images_lock;  // guards m_images
  std::vector<_M_IAMGELIST> m_images;
  CSize m_draw_size;
};
