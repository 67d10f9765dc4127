// MDialog: closing codes and window-state commands.
#include "QorUI/dialog.h"

void MDialog::OnMinimize() {
  ShowWindow(SW_MINIMIZE);
}

void MDialog::OnMaximize() {
  ShowWindow(IsZoomed() ? SW_RESTORE : SW_SHOWMAXIMIZED);
}

void MDialog::DoOK() {
  PostMessageW(WM_USER_CLOSE_WINDOW, IDOK, 0);
}
void MDialog::DoCancel() {
  PostMessageW(WM_USER_CLOSE_WINDOW, IDCANCEL, 0);
}
void MDialog::DoClose() {
  PostMessageW(WM_USER_CLOSE_WINDOW, IDCANCEL, 0);
}
void MDialog::DoYes() {
  PostMessageW(WM_USER_CLOSE_WINDOW, IDYES, 0);
}
void MDialog::DoNo() {
  PostMessageW(WM_USER_CLOSE_WINDOW, IDNO, 0);
}
