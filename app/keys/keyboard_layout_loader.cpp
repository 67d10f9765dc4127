// The layout load step: find the model, switch the database, read the file,
// then replace the model data and the pictures of the enabled pages.
#include "keys/keyboard_layout_loader.h"

#include <utility>

#include "keys/keyboard_picture.h"
#include "keys/layout_view.h"
#include "store/profile_store.h"

namespace {

// Tab strip items shown or hidden by the page flags, with their flag.
struct TabItemFlag {
  int item_id;
  BYTE flag;
};
constexpr TabItemFlag kTabItems[] = {
    {1, kPageKeys}, {2, kPageMacros}, {3, kPageLighting}, {7, kPageSettingsPicture}};

}  // namespace

KeyboardLayoutLoader::KeyboardLayoutLoader(ProfileStore& store, LayoutView& view,
                                           std::string program_dir, std::string data_dir)
    : m_store(store),
      m_view(view),
      m_program_dir(std::move(program_dir)),
      m_data_dir(std::move(data_dir)) {}

LayoutLoadResult KeyboardLayoutLoader::LoadLayout(int device_type,
                                                  const std::vector<KeyboardModel>& models,
                                                  KeyboardLayout& layout) {
  std::string name;
  std::string layout_name;
  for (const KeyboardModel& m : models) {
    if (m.device_type == device_type) {
      name = m.name;
      layout_name = m.layout_name;
      break;
    }
  }
  layout.device_type = device_type;

  LayoutLoadResult result;
  result.database_open = SwitchDatabase(name);
  layout.database_name = name;

  const LayoutFileResult read = ReadLayoutFile(m_program_dir + "layouts/" + layout_name + ".xml");
  result.file = read.status;
  if (read.status == LayoutFileStatus::kRead) Apply(read.file, layout);
  return result;
}

bool KeyboardLayoutLoader::SwitchDatabase(const std::string& name) {
  if (m_store.IsOpen()) m_store.Close();
  return m_store.OpenForDevice(m_data_dir, name);
}

void KeyboardLayoutLoader::Apply(const LayoutFile& file, KeyboardLayout& layout) {
  if (file.page_flags) {
    layout.page_flags = *file.page_flags;
    ShowPages(layout.page_flags);
  }

  // Every other value is replaced, so a section the file lacks reads as empty.
  layout.sleep_time = file.sleep_time.value_or(false);
  layout.firmware = file.firmware.value_or(FirmwareInfo{});
  m_view.SetFirmwareButtonVisible(layout.firmware.Updatable());
  layout.light = file.light.value_or(LightSettings{});
  layout.light_modes = file.light_modes;
  if (file.light) m_view.SetLightSliderMaxima(layout.light.brightness_max, layout.light.speed_max);

  layout.key_index_map.clear();
  layout.light_map.clear();
  layout.row_count = 0;
  layout.col_count = 0;
  layout.grid = KeyboardLayout::EmptyGrid();
  layout.keys.clear();
  const std::vector<KeyboardPicture*> pictures = EnabledPictures(layout.page_flags);
  for (KeyboardPicture* p : pictures) p->ClearItem();
  if (!file.picture) return;

  const LayoutPicture& picture = *file.picture;
  layout.row_count = picture.row_count;
  layout.col_count = picture.col_count;
  for (KeyboardPicture* p : pictures) {
    p->SetControlRect(picture.rect);
    p->SetKeyboardImage("keyboard/" + picture.image);
    p->SetWidthAndHeight(picture.rect.Width(), picture.rect.Height());
  }
  for (const LayoutKey& key : file.keys) {
    // A later key with the same code wins the maps; both stay on the pictures.
    if (key.key_index) layout.key_index_map[key.code] = *key.key_index;
    if (key.light_index) layout.light_map[key.code] = *key.light_index;
    if (key.cell) layout.grid[key.cell->row][key.cell->column] = static_cast<BYTE>(key.code);
    for (KeyboardPicture* p : pictures) {
      p->AddKeyItem(key.name, key.desc, static_cast<DWORD>(key.code), key.rect, key.icon);
    }
  }
  layout.keys = file.keys;
}

void KeyboardLayoutLoader::ShowPages(BYTE page_flags) {
  for (const TabItemFlag& t : kTabItems) m_view.SetTabItemVisible(t.item_id, page_flags & t.flag);
}

std::vector<KeyboardPicture*> KeyboardLayoutLoader::EnabledPictures(BYTE page_flags) {
  struct PagePicture {
    PicturePage page;
    BYTE flag;
  };
  constexpr PagePicture kPictures[] = {{PicturePage::kKeyPage, kPageKeys},
                                       {PicturePage::kLightPage, kPageLighting},
                                       {PicturePage::kSettingsPage, kPageSettingsPicture}};
  std::vector<KeyboardPicture*> enabled;
  for (const PagePicture& p : kPictures) {
    if (!(page_flags & p.flag)) continue;
    if (KeyboardPicture* picture = m_view.Picture(p.page)) enabled.push_back(picture);
  }
  return enabled;
}
