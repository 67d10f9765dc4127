// MenuWnd and MenuItem: item layout, states, selection and self-release.
#include "QorUI/menu_wnd.h"

#include <algorithm>

#include "QorUI/control_factory.h"
#include "QorUI/manager.h"
#include "QorUI/render.h"

// --- MenuItem ---

MenuItem::MenuItem(MObject* parent, UINT id, CRect rect, const char* title, int visible,
                   int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {}

void MenuItem::SetCheck(int check) {
  if (check == m_check) return;
  m_check = check;
  UpdateState(m_hovered);
}

void MenuItem::UpdateState(bool hover) {
  m_hovered = hover;
  int state;
  if (m_checkable)
    state = m_check ? (hover ? 6 : 2) : (hover ? 1 : 0);
  else
    state = m_pressed ? 2 : hover ? 1 : 0;
  if (state == m_state) return;
  m_state = state;
  UpdateControl(1);
}

int MenuItem::OnControlMouseMove(UINT, CPoint pt) {
  if (m_separator) return 0;
  const bool inside = m_rect.PtInRect(pt);
  UpdateState(inside);
  return inside ? 1 : 0;
}

int MenuItem::OnControlLButtonDown(UINT, CPoint) {
  if (m_separator || !m_enabled) return 0;
  m_pressed = true;
  if (m_checkable) SendMessageW(kNotifyCheckChanged, static_cast<WPARAM>(m_check), 1);
  UpdateState(true);
  return 1;
}

int MenuItem::OnControlLButtonUp(UINT, CPoint pt) {
  if (m_separator || !m_enabled || !m_pressed) return 0;
  m_pressed = false;
  const bool inside = m_rect.PtInRect(pt);
  if (inside && m_checkable) {
    // A checked item of a group stays checked.
    SetCheck(m_group.empty() ? !m_check : 1);
  }
  UpdateState(inside);
  if (inside) SendMessageW(kNotifyClicked, 0, 0);
  return 1;
}

void MenuItem::DrawControl(Canvas& dc, const CRect&) {
  if (m_separator) {
    dc.FillRect(m_rect, 0xFF555028);
    return;
  }
  if (m_state == 1 || m_state == 6 || (m_state == 2 && !m_checkable))
    dc.FillRect(m_rect, m_hover_color);
  const int icon_w = m_image ? std::max(m_icon_width, m_frame_width) : m_icon_width;
  if (m_image) {
    const int frame = std::min(m_state == 6 ? 2 : m_state, m_frames - 1);
    const int y = m_rect.top + (m_rect.Height() - m_frame_height) / 2;
    dc.DrawImage(*m_image, CRect(CPoint(m_rect.left + 4, y), GetImageSize()), GetFrameRect(frame));
  } else if (m_checkable && m_check) {
    const float cy = m_rect.top + m_rect.Height() / 2.0f;
    const float x = m_rect.left + 8.0f;
    dc.BeginPath();
    dc.MoveTo(x, cy);
    dc.LineTo(x + 4, cy + 4);
    dc.LineTo(x + 11, cy - 5);
    dc.StrokePath(m_text_color, 2);
    dc.BeginPath();
  }
  CRect text = m_rect;
  text.left += icon_w + m_text_indent + (m_checkable && !m_image ? 16 : 0);
  const ARGB color = m_enabled ? m_text_color : 0xFF808080;
  dc.DrawText(m_title, text, GetFontSpec(), color, {kAlignLeft, kAlignVCenter, false, true});
}

// --- MenuWnd ---

MenuWnd::MenuWnd(MObject* owner)
    : m_font_face(Manager::GetFontName()), m_font_size(Manager::GetFontWidth()) {
  SetParent(owner);
}

int MenuWnd::Create(HWND owner, CPoint pos, UINT notify_message, const std::string& back_image,
                    int corner, int width, enumBackMode mode) {
  m_owner_hwnd = owner;
  m_notify = notify_message;
  if (width > 0) m_width = width;
  EnableWndDrag(0);
  if (!back_image.empty()) LoadBKImage(back_image);
  SetBackMode(mode, corner);
  const HWND hwnd = MWindow::Create(owner, "Menu Window", 0x80B, WS_EX_TOOLWINDOW,
                                    CRect(pos, CSize(m_width, m_width)));
  if (!hwnd) return 0;
  SetMenuPoint();
  return 1;
}

std::vector<MenuItem*> MenuWnd::GetItems() const {
  std::vector<MenuItem*> items;
  for (auto& c : GetControls())
    if (auto* item = dynamic_cast<MenuItem*>(c.get())) items.push_back(item);
  return items;
}

int MenuWnd::AddMenu(const std::string& title, UINT id, const std::string& icon_image,
                     int checkable, int check) {
  const int text_w = Canvas::MeasureText(title, MenuFont()).cx;
  m_width = std::max(m_width, text_w + m_text_indent + 4 + m_icon_width);
  auto item = std::make_unique<MenuItem>(this, id, CRect(), title.c_str());
  item->SetFont(m_font_face.c_str(), m_font_size, m_font_style);
  item->SetIconWidth(m_icon_width);
  item->SetTextIndent(m_text_indent);
  item->SetHoverColor(m_hover_color);
  item->SetCheckable(checkable);
  item->SetCheck(check);
  MenuItem* raw = static_cast<MenuItem*>(AddControl(std::move(item)));
  if (!icon_image.empty()) raw->SetImage(icon_image.c_str(), 4);
  for (const Pending& p : m_pending)
    if (p.title == title) Apply(*raw, p);
  SetMenuPoint();
  return static_cast<int>(GetItems().size()) - 1;
}

int MenuWnd::AddSeparator(UINT id, const std::string& title) {
  auto item = std::make_unique<MenuItem>(this, id, CRect(), title.c_str());
  item->SetSeparator(1);
  item->SetRresponse(0);
  AddControl(std::move(item));
  SetMenuPoint();
  return static_cast<int>(GetItems().size()) - 1;
}

MenuWnd::Pending& MenuWnd::PendingFor(const std::string& title) {
  for (Pending& p : m_pending)
    if (p.title == title) return p;
  Pending p;
  p.title = title;
  m_pending.push_back(p);
  return m_pending.back();
}

void MenuWnd::Apply(MenuItem& item, const Pending& p) {
  if (!p.new_title.empty()) item.SetTitle(p.new_title.c_str());
  if (p.visible >= 0) item.SetVisible(p.visible);
  if (p.enabled >= 0) item.SetEnabled(p.enabled);
  if (p.checked >= 0) item.SetCheck(p.checked);
}

void MenuWnd::SetItemTitle(const std::string& title, const std::string& new_title) {
  PendingFor(title).new_title = new_title;
  for (MenuItem* item : GetItems())
    if (item->GetTitle() == title) item->SetTitle(new_title.c_str());
}

void MenuWnd::SetItemVisible(const std::string& title, int visible) {
  PendingFor(title).visible = visible;
  for (MenuItem* item : GetItems())
    if (item->GetTitle() == title) item->SetVisible(visible);
  SetMenuPoint();
}

void MenuWnd::SetItemEnable(const std::string& title, int enabled) {
  PendingFor(title).enabled = enabled;
  for (MenuItem* item : GetItems())
    if (item->GetTitle() == title) item->SetEnabled(enabled);
}

void MenuWnd::SetItemCheck(const std::string& title, int check) {
  PendingFor(title).checked = check;
  for (MenuItem* item : GetItems())
    if (item->GetTitle() == title) item->SetCheck(check);
}

void MenuWnd::InitUI(CRect) {
  for (MenuItem* item : GetItems())
    for (const Pending& p : m_pending)
      if (p.title == item->GetTitle()) Apply(*item, p);
  SetMenuPoint();
}

void MenuWnd::SetMenuPoint() {
  int y = m_top_margin > 0 ? m_top_margin : 2;
  for (MenuItem* item : GetItems()) {
    if (!item->IsVisible()) {
      item->SetControlRect(CRect());
    } else if (item->IsSeparator()) {
      item->SetControlRect(CRect(m_text_indent + 1, y + 1, m_width - 1, y + 2));
      y += 4;
    } else {
      item->SetControlRect(CRect(2, y, m_width - 2, y + m_item_height));
      y += m_item_height;
    }
    item->SetUpdate(0);
  }
  if (!GetSafeHwnd()) return;
  const CRect now = GetWindowRect();
  MoveWindow(now.left, now.top, m_width, y + (m_bottom_margin > 0 ? m_bottom_margin : 2));
  m_pm.Invalidate();
}

void MenuWnd::SendMessageToParent(UINT id, WPARAM wParam) {
  if (m_owner_hwnd) PostMessage(m_owner_hwnd, m_notify, wParam, static_cast<LPARAM>(id));
}

LRESULT MenuWnd::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM) {
  SendMessageToParent(id, wParam);
  if (code == kNotifyClicked) CloseWindow();
  return 0;
}

void MenuWnd::CloseWindow() {
  PostMessageW(WM_CLOSE, 0, 0);
}

void MenuWnd::PostNcDestroy() {
  // Freed after the message that destroyed the window has been handled.
  if (Host* host = Host::Current()) host->Post([this] { delete this; });
}
