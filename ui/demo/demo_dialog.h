// The toolkit's demo dialog (not part of the program): a tab strip with two
// pages built from the factory, buttons, a scrolling panel and a popup menu.
// It prints every notification, so scripts can drive it.
#pragma once

#include <cstdio>
#include <memory>

#include "QorUI/dialog.h"

class DemoDialog : public MDialog {
 public:
  static constexpr UINT kMenuMessage = WM_USER + 10;
  static constexpr UINT kPressButton = 1001;
  static constexpr UINT kMenuButton = 1002;
  static constexpr UINT kCloseButton = 1003;
  static constexpr UINT kEditButton = 1004;

  explicit DemoDialog(std::FILE* log) : m_log(log) {}

  void InitUI(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void OpenEntry();

  std::FILE* m_log;
  std::unique_ptr<TextEntry> m_entry;
};
