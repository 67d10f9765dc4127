// The constructors behind the factory names of the ready-made controls. Which
// table accepts a name is the factory's business; this only supplies the
// classes. Names of classes the program does not use stay without one.
#include <memory>

#include "QorUI/buttons.h"
#include "QorUI/color_controls.h"
#include "QorUI/combo_box.h"
#include "QorUI/control_factory.h"
#include "QorUI/controls.h"
#include "QorUI/device_controls.h"
#include "QorUI/edit.h"
#include "QorUI/key_func_control.h"
#include "QorUI/keyboard_ctrl.h"
#include "QorUI/list_box.h"
#include "QorUI/record_list.h"
#include "QorUI/slider.h"
#include "QorUI/spin_button.h"
#include "QorUI/static_controls.h"

namespace {

// Constructors of the four shapes the classes take.
template <typename T>
std::unique_ptr<MControl> WithTitle(MObject* p, UINT id, CRect r, const char* title, int visible,
                                    int enabled) {
  return std::make_unique<T>(p, id, r, title, visible, enabled);
}
template <typename T>
std::unique_ptr<MControl> WithEnabled(MObject* p, UINT id, CRect r, const char*, int visible,
                                      int enabled) {
  return std::make_unique<T>(p, id, r, visible, enabled);
}
template <typename T>
std::unique_ptr<MControl> VisibleOnly(MObject* p, UINT id, CRect r, const char*, int visible, int) {
  return std::make_unique<T>(p, id, r, visible);
}
std::unique_ptr<MControl> Text(MObject* p, UINT id, CRect r, const char* title, int visible, int) {
  return std::make_unique<MText>(p, id, r, title, visible);
}

struct Registration {
  const char* name;
  ControlCreator creator;
};

constexpr Registration kControls[] = {
    {"CArea", WithEnabled<CArea>},
    {"MText", Text},
    {"MPicture", WithEnabled<MPicture>},
    {"CGifPicture", WithEnabled<CGifPicture>},
    {"MSlider", WithEnabled<MSlider>},
    {"MButton", WithTitle<MButton>},
    {"CImageButton", WithTitle<CImageButton>},
    {"CTextButton", WithTitle<CTextButton>},
    {"CCheckButton", WithTitle<CCheckButton>},
    {"CRadioButton", WithTitle<CRadioButton>},
    {"CColorButton", WithEnabled<CColorButton>},
    {"MSpinButton", WithEnabled<MSpinButton>},
    {"CSpinButton", WithEnabled<CSpinButton>},
    {"CSwitchButton", WithEnabled<CSwitchButton>},
    {"MComboBox", WithEnabled<MComboBox>},
    {"MListBox", VisibleOnly<MListBox>},
    {"CirclePalette", WithEnabled<CirclePalette>},
    {"CComboBoxList", VisibleOnly<CComboBoxList>},
    {"KeyboardCtrl", VisibleOnly<KeyboardCtrl>},
    {"KeyFuncControl", VisibleOnly<KeyFuncControl>},
    {"DListBox", VisibleOnly<DListBox>},
    {"CRecordList", VisibleOnly<CRecordList>},
    {"CDeviceCtrl", WithEnabled<CDeviceCtrl>},
    {"BatteryCtrl", WithEnabled<BatteryCtrl>},
    {"UpgradeButton", WithTitle<UpgradeButton>},
    {"MEdit", WithTitle<MEdit>},
};

}  // namespace

void RegisterControls() {
  for (const Registration& r : kControls) ControlFactory::Register(r.name, r.creator);
}
