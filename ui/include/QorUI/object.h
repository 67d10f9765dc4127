// The root interface of every element of a window: a child reports events
// (notifications) and asks for repaints through its owner's two entry points.
#pragma once

#include <cstring>

#include "QorUI/types.h"

class MControl;

class MObject {
 public:
  virtual ~MObject() = default;

  // 1 when GetClassNameW equals `name` exactly (case-sensitive).
  virtual int IsClass(const char* name) {
    const char* mine = GetClassNameW();
    return mine && name && std::strcmp(mine, name) == 0 ? 1 : 0;
  }
  // Run-time type names: "ZynControl" for controls, "MDialog" for dialogs, ...
  virtual const char* GetClassNameW() const { return nullptr; }
  virtual const char* GetObjectClass() { return nullptr; }
  virtual const char* BaseObjectClassName() { return nullptr; }
  // A child `id` reports event `code`.
  virtual LRESULT OnBaseMessage(UINT /*id*/, UINT /*code*/, WPARAM, LPARAM) { return 0; }
  // A child asks for `rect` to be repainted; redraw nonzero also drops its cache.
  virtual LRESULT OnControlUpdate(CRect /*rect*/, int /*redraw*/, MControl* /*control*/) {
    return 0;
  }
};

// Notification codes the library's controls send (wParam / lParam per control).
enum NotifyCode : UINT {
  kNotifyPressed = 1,
  kNotifyClicked = 2,
  kNotifyDoubleClick = 3,
  kNotifyRightClick = 5,
  kNotifyCheckChanged = 7,
  kNotifyPositionChanged = 8,
  kNotifySecondaryPressed = 9,
  kNotifyKeyDown = 14,
  kNotifySecondaryRightClick = 24,
  kNotifyEditChanged = 26,
  kNotifyColorChanged = 27,
  kNotifySpinChanged = 28,
  kNotifyEditEnded = 29,
  kNotifyEditBegan = 30,
  kNotifyIconReleased = 31,
};
