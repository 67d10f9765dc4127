// The library's own tooltip: a small undecorated window that never takes
// focus, showing one text near the pointer.
#pragma once

#include <memory>
#include <string>

#include "QorUI/canvas.h"
#include "QorUI/host.h"

class TooltipWindow : private NativeWindowClient {
 public:
  TooltipWindow() = default;
  ~TooltipWindow() = default;
  TooltipWindow(const TooltipWindow&) = delete;
  TooltipWindow& operator=(const TooltipWindow&) = delete;

  // Shows the text with its top-left near the screen point; an empty text hides it.
  void Show(const std::string& text, CPoint screen_point, HWND owner);
  void Hide();
  bool IsShown() const { return m_native && m_native->IsVisible(); }
  const std::string& Text() const { return m_text; }
  const Canvas& Picture() const { return m_picture; }

 private:
  LRESULT OnNativeMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  std::unique_ptr<NativeWindow> m_native;
  std::string m_text;
  Canvas m_picture;
};
