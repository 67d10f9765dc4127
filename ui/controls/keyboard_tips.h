// CKeyboardTips: the tip window of the keyboard control, a 190 x 100 popup
// on "img_tip_bk.png" showing the key's text, a title and a text; it never
// takes the focus.
#pragma once

#include <string>

#include "QorUI/skin_window.h"

class MText;

class CKeyboardTips : public MSkinWindow {
 public:
  static constexpr int kWidth = 190;
  static constexpr int kHeight = 100;

  CKeyboardTips() = default;

  // Creates the window ("KeyboardTip Window") on first use; false without a host.
  bool Ensure(HWND owner);
  void SetTips(const std::string& key_text, const std::string& title, const std::string& text);
  // Shows the window without activating it, its bottom-centre at the screen point.
  void ShowAt(CPoint anchor);
  void Hide();

  const std::string& GetKeyText() const { return m_key_text; }
  const std::string& GetTipTitle() const { return m_title; }
  const std::string& GetTipText() const { return m_text; }

 protected:
  WindowKind GetWindowKind() const override { return WindowKind::kTooltip; }
  void InitUI(CRect client) override;
  void PostNcDestroy() override;

 private:
  std::string m_key_text, m_title, m_text;
  MText* m_key_label = nullptr;
  MText* m_title_label = nullptr;
  MText* m_text_label = nullptr;
};
