// MenuWnd and MenuItem: a popup menu drawn by the library (the tray menu). A
// selection is posted to the owner window as the notify message with the
// item's id in lParam; the menu frees itself once its window is gone.
#pragma once

#include <string>
#include <vector>

#include "QorUI/control_font.h"
#include "QorUI/popup_wnd.h"

class MenuItem : public MControlFont {
 public:
  MenuItem(MObject* parent, UINT id, CRect rect, const char* title = "", int visible = 1,
           int enabled = 1);

  const char* GetClassNameW() const override { return "MenuItem"; }
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;

  // 0 normal, 1 hover, 2 pressed or checked, 6 checked and hovered.
  int GetState() const { return m_state; }
  void SetCheckable(int on) { m_checkable = on; }
  int IsCheckable() const { return m_checkable; }
  void SetCheck(int check);
  int GetCheck() const { return m_check; }
  void SetGroup(const std::string& name, int value) {
    m_group = name;
    m_group_value = value;
  }
  void SetSeparator(int on) { m_separator = on; }
  int IsSeparator() const { return m_separator; }
  void SetPopupMenu(class MenuWnd* menu) { m_popup = menu; }
  MenuWnd* GetPopupMenu() const { return m_popup; }
  int IsPopup() const { return m_popup != nullptr; }
  void SetIconWidth(int width) { m_icon_width = width; }
  void SetHoverColor(ARGB color) { m_hover_color = color; }
  void SetTextIndent(int indent) { m_text_indent = indent; }

 private:
  void UpdateState(bool hover);

  int m_state = 0;
  bool m_pressed = false;
  bool m_hovered = false;
  int m_checkable = 0;
  int m_check = 0;
  std::string m_group;
  int m_group_value = 0;
  int m_separator = 0;
  MenuWnd* m_popup = nullptr;
  int m_icon_width = 0;
  int m_text_indent = 5;
  ARGB m_hover_color = 0xFF285055;
};

class MenuWnd : public MPopupWnd {
 public:
  explicit MenuWnd(MObject* owner);

  // The window's top-left is at the screen point; 1 on success.
  int Create(HWND owner, CPoint pos, UINT notify_message, const std::string& back_image, int corner,
             int width, enumBackMode mode);
  // Returns the new item's index, -1 when it cannot be made.
  int AddMenu(const std::string& title, UINT id, const std::string& icon_image = "",
              int checkable = 0, int check = 0);
  int AddSeparator(UINT id, const std::string& title = "");
  // By title: applied to items that exist and to items added later.
  void SetItemTitle(const std::string& title, const std::string& new_title);
  void SetItemVisible(const std::string& title, int visible);
  void SetItemEnable(const std::string& title, int enabled);
  void SetItemCheck(const std::string& title, int check);
  // Lays the items out and sizes the window to them.
  void SetMenuPoint();
  void SendMessageToParent(UINT id, WPARAM wParam);
  void CloseWindow() override;

  void InitUI(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  int GetMenuWidth() const { return m_width; }
  std::vector<MenuItem*> GetItems() const;

 private:
  struct Pending {
    std::string title;
    std::string new_title;
    int visible = -1, enabled = -1, checked = -1;
  };
  void Apply(MenuItem& item, const Pending& p);
  Pending& PendingFor(const std::string& title);
  FontSpec MenuFont() const { return FontSpec{m_font_face, m_font_size, m_font_style}; }

  HWND m_owner_hwnd = 0;
  UINT m_notify = 0;
  std::string m_font_face;
  int m_font_size;
  int m_font_style = 0;
  int m_icon_width = 0;
  int m_text_indent = 5;
  int m_item_height = 35;
  int m_width = 300;
  int m_top_margin = 6;
  int m_bottom_margin = 6;
  ARGB m_hover_color = 0xFF285055;
  std::vector<Pending> m_pending;
};
