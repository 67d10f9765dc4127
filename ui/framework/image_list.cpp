// MImageList: frame-strip images by index and id.
#include "QorUI/image_list.h"

#include <algorithm>

int MImageList::AddImage(const std::string& path, int id, int frames) {
  return InsertImage(-1, path, id, frames);
}

int MImageList::InsertImage(int index, const std::string& path, int id, int frames) {
  if (path.empty()) return -1;
  {
    std::lock_guard lock(m_images_lock);
    if (index < -1 || index >= static_cast<int>(m_images.size())) return -1;
  }
  auto image = Image::LoadFromFile(path);
  if (!image) return -1;
  _M_IAMGELIST item;
  item.frames = std::max(frames, 1);
  item.frame_width = image->Width() / item.frames;
  item.frame_height = image->Height();
  item.id = id;
  item.path = path;
  item.image = std::move(image);
  std::lock_guard lock(m_images_lock);
  if (index < 0 || index >= static_cast<int>(m_images.size())) {
    m_images.push_back(std::move(item));
    return static_cast<int>(m_images.size()) - 1;
  }
  m_images.insert(m_images.begin() + index, std::move(item));
  return index;
}

void MImageList::DrawItemIcon(Canvas& dc, const CRect& rect, int index) {
  DrawItemIcon(dc, rect, index, 0);
}

void MImageList::DrawItemIcon(Canvas& dc, const CRect& rect, int index, int frame) {
  std::lock_guard lock(m_images_lock);
  if (index < 0 || index >= static_cast<int>(m_images.size())) return;
  const _M_IAMGELIST& item = m_images[index];
  if (!item.image || frame < 0 || frame >= item.frames) return;
  const CRect src(frame * item.frame_width, 0, (frame + 1) * item.frame_width, item.frame_height);
  dc.DrawImage(*item.image, rect, src);
}

void MImageList::SetDrawImgSize(int width, int height) {
  m_draw_size = CSize(width, height);
}
CSize MImageList::GetIconSize() const {
  return m_draw_size;
}

const _M_IAMGELIST* MImageList::GetItemImageData(int index) const {
  std::lock_guard lock(m_images_lock);
  if (index < 0 || index >= static_cast<int>(m_images.size())) return nullptr;
  return &m_images[index];
}

const _M_IAMGELIST* MImageList::GetImageDataByID(int id) const {
  std::lock_guard lock(m_images_lock);
  auto it = std::find_if(m_images.begin(), m_images.end(), [id](auto& i) { return i.id == id; });
  return it == m_images.end() ? nullptr : &*it;
}

std::string MImageList::GetImagePath(int index) const {
  const _M_IAMGELIST* item = GetItemImageData(index);
  return item ? item->path : std::string();
}

std::string MImageList::GetImagePathByID(int id) const {
  const _M_IAMGELIST* item = GetImageDataByID(id);
  return item ? item->path : std::string();
}

int MImageList::GetImageCount() const {
  std::lock_guard lock(m_images_lock);
  return static_cast<int>(m_images.size());
}

void MImageList::DelAllImages() {
  std::lock_guard lock(m_images_lock);
  m_images.clear();
}
