// MDialog: every dialog of the program, its main window included. Adds the
// closing codes (message 1090) to the shared skin-window pipeline.
#pragma once

#include "QorUI/skin_window.h"

class MDialog : public MSkinWindow {
 public:
  MDialog() = default;

  const char* GetClassNameW() const override { return "MDialog"; }

  virtual void OnMinimize();
  virtual void OnMaximize();

  // Post 1090 with wParam IDOK, IDCANCEL, IDCANCEL, IDYES, IDNO.
  void DoOK();
  void DoCancel();
  void DoClose();
  void DoYes();
  void DoNo();
};
