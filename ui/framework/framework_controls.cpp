// The framework's own factory classes: the tab strip, pages and menu items.
#include "framework/framework_controls.h"

#include "QorUI/menu_wnd.h"
#include "QorUI/panel.h"
#include "QorUI/tab_ctrl.h"

std::map<std::string, ControlCreator> FrameworkCreators() {
  return {
      {"MTabCtrl",
       [](MObject* parent, UINT id, CRect rect, const char*, int visible,
          int enabled) -> std::unique_ptr<MControl> {
         return std::make_unique<MTabCtrl>(parent, id, rect, visible, enabled);
       }},
      {"MTabLayout",
       [](MObject* parent, UINT id, CRect rect, const char*, int visible,
          int) -> std::unique_ptr<MControl> {
         return std::make_unique<MTabLayout>(parent, id, rect, visible);
       }},
      {"MenuItem",
       [](MObject* parent, UINT id, CRect rect, const char* title, int visible,
          int enabled) -> std::unique_ptr<MControl> {
         return std::make_unique<MenuItem>(parent, id, rect, title, visible, enabled);
       }},
  };
}
