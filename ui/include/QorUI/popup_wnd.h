// MPopupWnd: a self-closing popup (drop-downs): it closes when it loses the
// activation, and reports to a logical owner.
#pragma once

#include "QorUI/skin_window.h"

class MPopupWnd : public MSkinWindow {
 public:
  MPopupWnd() = default;

  virtual MObject* GetParent() const { return m_owner; }
  void SetParent(MObject* owner) { m_owner = owner; }
  virtual void CloseWindow();
  LRESULT OnNcActivate(int active) override;

 protected:
  WindowKind GetWindowKind() const override { return WindowKind::kPopup; }

 private:
  MObject* m_owner = nullptr;
};
