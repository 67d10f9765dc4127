// The two factory tables and the constructor registry. The framework's own
// classes are in the registry from the start; the control library adds the
// rest when the program registers it.
#include "QorUI/control_factory.h"

#include <cstring>
#include <map>
#include <string>

#include "QorUI/paint_manager.h"
#include "framework/framework_controls.h"

namespace {

struct TableEntry {
  const char* name;
  bool painter;
  bool panel;
};

constexpr TableEntry kTable[] = {
    {"CArea", true, true},           {"MText", true, true},          {"MPicture", true, true},
    {"CPhotoFrame", true, true},     {"CSliderPicture", true, true}, {"CGifPicture", true, true},
    {"MProgress", true, true},       {"MSlider", true, true},        {"MLevelCtrl", true, true},
    {"MButton", true, true},         {"CImageButton", true, true},   {"CTextButton", true, true},
    {"CCheckButton", true, true},    {"CRadioButton", true, true},   {"CColorButton", true, true},
    {"MSpinButton", true, true},     {"CSpinButton", true, true},    {"CSwitchButton", true, true},
    {"CIconButton", true, true},     {"CTimerButton", true, true},   {"CHelpButton", true, true},
    {"MEditEx", true, true},         {"MComboBox", true, true},      {"MTabCtrl", true, true},
    {"MTabLayout", true, true},      {"MListBox", true, true},       {"MPalette", true, true},
    {"CColorPalette", true, true},   {"CColorSelect", true, true},   {"CirclePalette", true, true},
    {"CComboBoxList", true, false},  {"MenuItem", true, true},       {"KeyboardCtrl", true, true},
    {"KeyFuncControl", false, true}, {"DListBox", false, true},      {"CRecordList", false, true},
    {"CDeviceCtrl", true, true},     {"BatteryCtrl", true, false},   {"UpgradeButton", false, true},
    {"DownloadButton", false, true}, {"MEdit", true, true},          {"MRichEdit", true, true},
};

const TableEntry* Find(const char* name) {
  if (!name || !*name) return nullptr;
  for (const TableEntry& e : kTable)
    if (std::strcmp(e.name, name) == 0) return &e;
  return nullptr;
}

std::map<std::string, ControlCreator>& Creators();

}  // namespace

bool ControlFactory::Accepts(Table table, const char* class_name) {
  const TableEntry* e = Find(class_name);
  return e && (table == Table::kPainter ? e->painter : e->panel);
}

bool ControlFactory::Register(const char* class_name, ControlCreator creator) {
  if (!Find(class_name) || !creator) return false;
  Creators()[class_name] = creator;
  return true;
}

std::unique_ptr<MControl> ControlFactory::Create(Table table, MObject* parent,
                                                 const char* class_name, UINT id, CRect rect,
                                                 const char* title, int visible, int enabled) {
  if (!Accepts(table, class_name)) return nullptr;
  auto it = Creators().find(class_name);
  if (it == Creators().end()) return nullptr;
  return it->second(parent, id, rect, title ? title : "", visible, enabled);
}

MControl* PaintManager::CreateControl(MObject* parent, const char* class_name, UINT id, CRect rect,
                                      const char* title, int visible, int enabled) {
  return AddToLayer(ControlFactory::Create(ControlFactory::Table::kPainter, parent, class_name, id,
                                           rect, title, visible, enabled),
                    1);
}

MControl* PaintManager::CreateArea(MObject* parent, const char* class_name, UINT id, CRect rect,
                                   const char* title, int visible, int enabled) {
  return AddToLayer(ControlFactory::Create(ControlFactory::Table::kPainter, parent, class_name, id,
                                           rect, title, visible, enabled),
                    0);
}

namespace {
std::map<std::string, ControlCreator>& Creators() {
  static std::map<std::string, ControlCreator> creators = FrameworkCreators();
  return creators;
}
}  // namespace
