// MPopupWnd: closes itself when it stops being the active window.
#include "QorUI/popup_wnd.h"

void MPopupWnd::CloseWindow() {
  PostMessageW(WM_CLOSE, 0, 0);
}

LRESULT MPopupWnd::OnNcActivate(int active) {
  if (!active) PostMessageW(WM_CLOSE, 0, 0);
  return 0;
}
