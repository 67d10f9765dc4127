// The main-window state a layout load changes besides its model data: which
// pages the tab strip offers, the lighting sliders' range, the firmware update
// button, and the keyboard pictures of the pages.
#pragma once

class KeyboardPicture;

// The pages that show a keyboard picture, named by their page flag.
enum class PicturePage { kKeyPage, kLightPage, kSettingsPage };

class LayoutView {
 public:
  virtual ~LayoutView() = default;

  // `item_id` is a tab strip item id (1 keys, 2 macros, 3 lighting, 7 the
  // settings page's picture).
  virtual void SetTabItemVisible(int item_id, bool visible) = 0;
  virtual void SetLightSliderMaxima(int brightness_max, int speed_max) = 0;
  virtual void SetFirmwareButtonVisible(bool visible) = 0;
  // The picture of a page; null when the page has none.
  virtual KeyboardPicture* Picture(PicturePage page) = 0;
};
