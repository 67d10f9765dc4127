// An installed layout loaded through the adapter reaches a real keyboard
// control on a window: its keys, their rectangles, the picture and its place.
#include "keys/keyboard_ctrl_picture.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "QorUI/keyboard_ctrl.h"
#include "keys/keyboard_layout_loader.h"
#include "keys/layout_file.h"
#include "qorui/probe.h"
#include "recording_layout_view.h"
#include "store/profile_store.h"

namespace {

class KeyPageView : public RecordingLayoutView {
 public:
  explicit KeyPageView(KeyboardPicture& key_picture) : m_key_picture(key_picture) {}
  KeyboardPicture* Picture(PicturePage page) override {
    return page == PicturePage::kKeyPage ? &m_key_picture : RecordingLayoutView::Picture(page);
  }

 private:
  KeyboardPicture& m_key_picture;
};

using KeyboardCtrlPictureTest = HeadlessTest;

TEST_F(KeyboardCtrlPictureTest, InstalledLayoutArrivesInTheKeyboardControl) {
  namespace fs = std::filesystem;
  const std::string program_dir = std::string(TERVANE_BIN_DIR) + "/";
  const LayoutFileResult file = ReadLayoutFile(program_dir + "layouts/tervane_k201.xml");
  ASSERT_EQ(file.status, LayoutFileStatus::kRead);
  ASSERT_TRUE(file.file.picture);
  const LayoutPicture& picture = *file.file.picture;

  TestDialog dlg;
  KeyboardCtrl* ctrl = nullptr;
  dlg.build = [&](TestDialog& d) {
    ctrl = static_cast<KeyboardCtrl*>(
        d.AddControl(std::make_unique<KeyboardCtrl>(&d, 20, CRect(0, 0, 100, 100))));
    ctrl->AddKeyItem("old", "", 1, CRect(0, 0, 5, 5), "");
  };
  const HWND hwnd = Open(dlg, CSize(1280, 480));
  KeyboardCtrlPicture adapter(*ctrl);
  KeyPageView view(adapter);

  const fs::path data = fs::temp_directory_path() / ("tervane_kbpic_" + std::to_string(::getpid()));
  fs::create_directories(data / "db");
  {
    ProfileStore store;
    KeyboardLayoutLoader loader(store, view, program_dir, data.string() + "/");
    KeyboardLayout layout;
    const LayoutLoadResult r =
        loader.LoadLayout(201, {{"tervane_k201", 201, "tervane_k201"}}, layout);
    EXPECT_EQ(r.file, LayoutFileStatus::kRead);
    store.Close();
  }
  fs::remove_all(data);

  EXPECT_EQ(ctrl->GetRect(), picture.rect);
  EXPECT_EQ(ctrl->GetPictureSize(), picture.rect.Size());
  const std::vector<KEY_INFO*> keys = ctrl->GetKeyItems();
  ASSERT_EQ(keys.size(), file.file.keys.size());  // the old key is gone
  for (std::size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE(file.file.keys[i].name);
    EXPECT_EQ(keys[i]->index, static_cast<int>(i));
    EXPECT_EQ(keys[i]->name, file.file.keys[i].name);
    EXPECT_EQ(keys[i]->key_value, static_cast<DWORD>(file.file.keys[i].code));
    EXPECT_EQ(keys[i]->rect, file.file.keys[i].rect);
  }
  // The keys are drawn where the control now is, and the picture under them.
  const CPoint key = ctrl->GetKeyWindowRect(*keys[0]).TopLeft() + CPoint(3, 3);  // off the label
  host->Pump();
  EXPECT_EQ(Screen(hwnd).GetPixel(key.x, key.y), KeyboardCtrl::kKeyFill);
  const ARGB background = Screen(hwnd).GetPixel(5, 470);
  ctrl->SetKeyboardCtrlMode(kModeKeySelect);
  host->Pump();
  const ARGB picture_pixel = Screen(hwnd).GetPixel(key.x, key.y);
  EXPECT_NE(picture_pixel, background);
  EXPECT_NE(picture_pixel, KeyboardCtrl::kKeyFill);
}

}  // namespace
