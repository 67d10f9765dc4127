// A layout view whose pictures and main-window settings record what a layout
// load did to them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "keys/keyboard_picture.h"
#include "keys/layout_view.h"

struct RecordedKey {
  std::string name;
  std::string text;
  DWORD key_value = 0;
  CRect rect;
  std::string icon;
};

class RecordingPicture : public KeyboardPicture {
 public:
  void ClearItem() override {
    keys.clear();
    ++clears;
  }
  int AddKeyItem(const std::string& name, const std::string& text, DWORD key_value,
                 const CRect& rect, const std::string& icon) override {
    keys.push_back({name, text, key_value, rect, icon});
    return static_cast<int>(keys.size()) - 1;
  }
  void SetControlRect(const CRect& r) override { rect = r; }
  void SetKeyboardImage(const std::string& file) override { image = file; }
  void SetWidthAndHeight(int w, int h) override { size = CSize(w, h); }

  std::vector<RecordedKey> keys;
  int clears = 0;
  CRect rect;
  std::string image;
  CSize size;
};

class RecordingLayoutView : public LayoutView {
 public:
  void SetTabItemVisible(int item_id, bool visible) override { tab_items[item_id] = visible; }
  void SetLightSliderMaxima(int brightness_max, int speed_max) override {
    slider_maxima = {brightness_max, speed_max};
  }
  void SetFirmwareButtonVisible(bool visible) override { firmware_button = visible; }
  KeyboardPicture* Picture(PicturePage page) override {
    switch (page) {
      case PicturePage::kKeyPage:
        return &key_page;
      case PicturePage::kLightPage:
        return &light_page;
      case PicturePage::kSettingsPage:
        return &settings_page;
    }
    return nullptr;
  }

  std::map<int, bool> tab_items;
  std::vector<int> slider_maxima;
  std::optional<bool> firmware_button;
  RecordingPicture key_page;
  RecordingPicture light_page;
  RecordingPicture settings_page;
};
