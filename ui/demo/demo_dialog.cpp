// DemoDialog: the library's buttons on the framework's tab strip, pages,
// scrolling panel and menu.
#include "demo/demo_dialog.h"

#include <string>

#include "QorUI/buttons.h"
#include "QorUI/manager.h"
#include "QorUI/menu_wnd.h"
#include "QorUI/panel.h"
#include "QorUI/tab_ctrl.h"

namespace {

// The library's push button on the skin's button image.
void AddButton(MPanel* page, UINT id, CRect rect, const char* title) {
  if (auto* button = dynamic_cast<MButton*>(page->CreateControl("MButton", id, rect, title)))
    button->SetImage("btn_apply.png", 4);
}

}  // namespace

void DemoDialog::InitUI(CRect client) {
  auto* tabs =
      static_cast<MTabCtrl*>(CreateControl("MTabCtrl", 10, CRect(0, 0, client.Width(), 40)));
  auto* buttons = static_cast<MPanel*>(
      CreateControl("MTabLayout", 20, CRect(0, 40, client.Width(), client.bottom), "", 0));
  auto* scrolling = static_cast<MPanel*>(
      CreateControl("MTabLayout", 30, CRect(0, 40, client.Width(), client.bottom), "", 0));
  AddButton(buttons, kPressButton, CRect(40, 80, 200, 120), "Press me");
  AddButton(buttons, kMenuButton, CRect(220, 80, 380, 120), "Menu");
  AddButton(buttons, kCloseButton, CRect(400, 80, 560, 120), "Close");
  AddButton(buttons, kEditButton, CRect(40, 140, 200, 180), "Edit");
  for (UINT i = 0; i < 20; ++i) {
    const int y = 60 + static_cast<int>(i) * 50;
    AddButton(scrolling, 2000 + i, CRect(40, y, 300, y + 40),
              ("Row " + std::to_string(i + 1)).c_str());
  }
  scrolling->SetVirtualHeight(60 + 20 * 50);
  scrolling->SetRect(scrolling->GetRect());
  tabs->SetTabCtrlHeight(40);
  tabs->InsertItem(11, "Buttons", "", buttons, -1, 120);
  tabs->InsertItem(12, "Scrolling", "", scrolling, -1, 120);
  tabs->SetSelectItem(0);
}

LRESULT DemoDialog::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  std::fprintf(m_log, "notify %u %u %lu %ld\n", id, code, static_cast<unsigned long>(wParam),
               static_cast<long>(lParam));
  std::fflush(m_log);
  if (code != kNotifyClicked) return 0;
  if (id == kCloseButton) DoOK();
  if (id == kEditButton) OpenEntry();
  if (id == kMenuButton) {
    auto* menu = new MenuWnd(this);
    CPoint at(220, 160);
    ClientToScreen(at);
    if (menu->Create(GetSafeHwnd(), at, kMenuMessage, "", 4, 180, BACK_MODE_NORMAL)) {
      menu->AddMenu("First item", 1);
      menu->AddSeparator(2);
      menu->AddMenu("Second item", 3);
      menu->ShowWindow(SW_SHOW);
    } else {
      delete menu;
    }
  }
  return 0;
}

void DemoDialog::OpenEntry() {
  if (!m_entry) {
    m_entry = GetPaintManager().CreateTextEntry();
    if (!m_entry) return;
    m_entry->SetRect(CRect(220, 145, 560, 175));
    m_entry->SetFont(FontSpec{Manager::GetFontName(), 14, 0});
    m_entry->SetColors(0xFFFFFFFF, 0xFF1F4A52);
    m_entry->SetHandlers({nullptr, nullptr,
                          [this] {
                            std::fprintf(m_log, "entry %s\n", m_entry->GetText().c_str());
                            std::fflush(m_log);
                            m_entry->Show(false);
                          },
                          [this] { m_entry->Show(false); }});
  }
  m_entry->SetText("demo");
  m_entry->Show(true);
  m_entry->SelectAll();
  m_entry->Focus();
}

LRESULT DemoDialog::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kMenuMessage) {
    std::fprintf(m_log, "menu %ld\n", static_cast<long>(lParam));
    std::fflush(m_log);
    return 0;
  }
  return MDialog::OnWindowMessage(msg, wParam, lParam);
}
