// Loading a model's layout: switches the profile store to the model's
// database, then fills the model data and the keyboard pictures from the
// model's layout file.
#pragma once

#include <string>
#include <vector>

#include "keys/keyboard_layout.h"
#include "keys/layout_file.h"
#include "shell/keyboard_model.h"

class KeyboardPicture;
class LayoutView;
class ProfileStore;

struct LayoutLoadResult {
  bool database_open = false;
  // Anything but kRead left the model data and the pictures as they were.
  LayoutFileStatus file = LayoutFileStatus::kUnreadable;
};

class KeyboardLayoutLoader {
 public:
  // `program_dir` holds "layouts/"; `data_dir` is the base folder of the
  // profile databases. Both end with "/".
  KeyboardLayoutLoader(ProfileStore& store, LayoutView& view, std::string program_dir,
                       std::string data_dir);

  // Loads the layout of the first model of `models` with `device_type` into
  // `layout`. The database switch happens even when the file cannot be read.
  LayoutLoadResult LoadLayout(int device_type, const std::vector<KeyboardModel>& models,
                              KeyboardLayout& layout);

 private:
  bool SwitchDatabase(const std::string& name);
  void Apply(const LayoutFile& file, KeyboardLayout& layout);
  void ShowPages(BYTE page_flags);
  std::vector<KeyboardPicture*> EnabledPictures(BYTE page_flags);

  ProfileStore& m_store;
  LayoutView& m_view;
  std::string m_program_dir;
  std::string m_data_dir;
};
