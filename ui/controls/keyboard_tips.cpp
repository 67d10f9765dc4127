// The keyboard control's tip window: three texts over the tip background.
#include "controls/keyboard_tips.h"

#include "QorUI/manager.h"
#include "QorUI/static_controls.h"

namespace {
constexpr ARGB kTitleColor = 0xFF36CFC6;
constexpr ARGB kTextColor = 0xFFDCE6EA;
}  // namespace

bool CKeyboardTips::Ensure(HWND owner) {
  if (GetSafeHwnd()) return true;
  return Create(owner, "KeyboardTip Window", WS_POPUP, WS_EX_TOOLWINDOW,
                CRect(0, 0, kWidth, kHeight)) != 0;
}

void CKeyboardTips::InitUI(CRect) {
  EnableWndDrag(0);
  LoadBKImage("img_tip_bk.png");
  auto label = [this](UINT id, CRect rect, int size, int style, ARGB color) {
    auto text = std::make_unique<MText>(this, id, rect, "");
    text->SetFont(Manager::GetFontName().c_str(), size, style);
    text->SetTextColor(color);
    return static_cast<MText*>(AddControl(std::move(text)));
  };
  m_key_label = label(1, CRect(12, 8, kWidth - 12, 30), 14, FontStyleBold, 0xFFFFFFFF);
  m_title_label = label(2, CRect(12, 32, kWidth - 12, 52), 12, FontStyleRegular, kTitleColor);
  m_text_label =
      label(3, CRect(12, 54, kWidth - 12, kHeight - 8), 12, FontStyleRegular, kTextColor);
  m_text_label->EnableMultiLine(1);
  SetTips(m_key_text, m_title, m_text);
}

void CKeyboardTips::PostNcDestroy() {
  m_key_label = m_title_label = m_text_label = nullptr;
}

void CKeyboardTips::SetTips(const std::string& key_text, const std::string& title,
                            const std::string& text) {
  m_key_text = key_text;
  m_title = title;
  m_text = text;
  if (!m_key_label) return;
  m_key_label->SetTitle(key_text.c_str());
  m_title_label->SetTitle(title.c_str());
  m_text_label->SetTitle(text.c_str());
}

void CKeyboardTips::ShowAt(CPoint anchor) {
  if (!GetSafeHwnd()) return;
  MoveWindow(anchor.x - kWidth / 2, anchor.y - kHeight, kWidth, kHeight);
  ShowWindow(SW_SHOWNOACTIVATE);
}

void CKeyboardTips::Hide() {
  if (GetSafeHwnd()) ShowWindow(SW_HIDE);
}
