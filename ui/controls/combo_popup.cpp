// The drop-down of MComboBox: its popup window and the list of rows in it.
#include <algorithm>

#include "QorUI/combo_box.h"
#include "QorUI/manager.h"
#include "QorUI/scroll_bar.h"

namespace {
constexpr int kIconSize = 20;
constexpr int kIconGap = 6;
constexpr UINT kListId = 100;
}  // namespace

void CComboBoxWnd::InitUI(CRect client) {
  auto list =
      std::make_unique<CComboBoxList>(this, kListId,
                                      CRect(client.left, client.top + MComboBox::kPopupMargin,
                                            client.right, client.bottom - MComboBox::kPopupMargin));
  list->SetSource(m_combo);
  if (m_combo) {
    list->SetFont(m_combo->GetTextFont().c_str(), m_combo->GetFontWidth(), m_combo->GetFontStyle());
    list->SetTextColor(m_combo->GetTextColor());
  }
  m_list = static_cast<CComboBoxList*>(AddControl(std::move(list)));
}

LRESULT CComboBoxWnd::OnMessage(UINT, UINT code, WPARAM wParam, LPARAM lParam) {
  if (code == kNotifyClicked && lParam == CComboBoxList::kPickedCode && m_combo)
    m_combo->OnItemPicked(static_cast<int>(wParam));
  return 0;
}

void CComboBoxWnd::PostNcDestroy() {
  m_list = nullptr;
  if (m_combo) m_combo->OnDropDownClosed();
}

CComboBoxList::CComboBoxList(MObject* parent, UINT id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible) {
  GetScrollVertical()->SetStep(1);
}

void CComboBoxList::SetSource(const MComboBox* combo) {
  m_combo = combo;
  const int selected = combo ? combo->GetCurSel() : -1;
  m_top = 0;
  // The selected item is among the rows shown at first.
  if (selected >= VisibleRows()) SetTop(selected - VisibleRows() + 1);
  UpdateBar();
}

int CComboBoxList::VisibleRows() const {
  return std::max(m_rect.Height() / MComboBox::kRowHeight, 1);
}

void CComboBoxList::UpdateBar() {
  CScrollVertical* bar = GetScrollVertical();
  const int spare = std::max(Count() - VisibleRows(), 0);
  bar->SetRange(spare);
  bar->SetPos(m_top);
  bar->SetControlVisible(spare > 0);
}

void CComboBoxList::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rect);
}

void CComboBoxList::SetControlRect(CRect rect) {
  MPanel::SetControlRect(rect);
  UpdateBar();
}

void CComboBoxList::SetTop(int top) {
  top = std::clamp(top, 0, std::max(Count() - VisibleRows(), 0));
  if (top == m_top) return;
  m_top = top;
  GetScrollVertical()->SetPos(top);
  UpdateControl(1);
}

LRESULT CComboBoxList::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  if (id == 1 && code == kNotifyPositionChanged) {
    m_top = static_cast<int>(wParam);
    UpdateControl(1);
    return 0;
  }
  return MPanel::OnMessage(id, code, wParam, lParam);
}

int CComboBoxList::RowAt(CPoint pt) const {
  if (!m_rect.PtInRect(pt)) return -1;
  const int row = m_top + (pt.y - m_rect.top) / MComboBox::kRowHeight;
  return row < Count() ? row : -1;
}

int CComboBoxList::OnControlMouseMove(UINT, CPoint pt) {
  const int row = RowAt(pt);
  if (row != m_hover) {
    m_hover = row;
    UpdateControl(1);
  }
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int CComboBoxList::OnControlLButtonDown(UINT, CPoint pt) {
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int CComboBoxList::OnControlLButtonUp(UINT, CPoint pt) {
  const int row = RowAt(pt);
  if (row < 0) return 0;
  SendMessageW(kNotifyClicked, static_cast<WPARAM>(row), kPickedCode);
  return 1;
}

int CComboBoxList::OnControlScroll(int, UINT flags, CPoint) {
  SetTop(m_top + (flags ? 1 : -1));
  return 1;
}

void CComboBoxList::DrawControl(Canvas& dc, const CRect&) {
  const int rows = std::min(VisibleRows(), Count() - m_top);
  const int bar = GetScrollVertical()->IsVisible() ? kScrollThickness : 0;
  for (int k = 0; k < rows; ++k) {
    const int index = m_top + k;
    const ComboItem* item = m_combo->GetItem(index);
    const CRect row(m_rect.left, m_rect.top + k * MComboBox::kRowHeight, m_rect.right - bar,
                    m_rect.top + (k + 1) * MComboBox::kRowHeight);
    if (index == m_hover) dc.FillRect(row, Manager::GetSelectColor());
    int left = row.left + kTextInset;
    if (item->icon) {
      const CRect icon(CPoint(left, row.top + (row.Height() - kIconSize) / 2),
                       CSize(kIconSize, kIconSize));
      dc.DrawImage(*item->icon, icon, CRect(0, 0, item->icon->Width(), item->icon->Height()));
      left = icon.right + kIconGap;
    }
    dc.DrawText(item->text, CRect(left, row.top, row.right - kTextInset, row.bottom), GetFontSpec(),
                item->color ? item->color : m_text_color,
                TextFormat{kAlignLeft, kAlignVCenter, false, true});
  }
}
