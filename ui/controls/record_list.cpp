// CRecordList: rows, scrolling (the bar's range is the rows' height, the
// position maps onto the part that does not fit), drawing of the visible rows
// only, and the in-place delay editor.
#include "QorUI/record_list.h"

#include <algorithm>

#include "QorUI/manager.h"
#include "QorUI/scroll_bar.h"
#include "QorUI/text.h"
#include "controls/control_helpers.h"

namespace {
constexpr ARGB kRowText = 0xFFFFFFFF;

const char* EventWord(int event_type) {
  return event_type == 2 ? "Key Down" : event_type == 3 ? "Key Up" : "";
}
}  // namespace

CRecordList::CRecordList(MObject* parent, UINT id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible),
      m_select_color(Manager::GetSelectColor()),
      m_hover_color(Manager::GetSelectColor()),
      m_editor(std::make_unique<controls::InlineEditor>(
          [this](bool commit) { CloseEditor(true, commit); })) {
  m_halign = kAlignCenter;
}

CRecordList::~CRecordList() = default;

int CRecordList::AddString(const std::string& text, int event_type, int value, int delay) {
  CloseEditor(true);
  auto item = std::make_unique<RecordItem>();
  item->text = text;
  item->event_type = event_type;
  item->value = value;
  item->delay = delay;
  m_items.push_back(std::move(item));
  UpdateScrollBar();
  CScrollVertical* bar = GetScrollVertical();
  bar->SetPos(bar->GetRange());
  UpdateControl(1);
  return GetItemCount() - 1;
}

bool CRecordList::UpdateDelayTime(int delay) {
  if (m_items.empty()) return false;
  m_items.back()->delay = delay;
  UpdateControl(1);
  return true;
}

int CRecordList::DeleteItem(int index) {
  if (index < 0 || index >= GetItemCount()) return 0;
  CloseEditor(true);
  m_hover = m_sel = -1;
  m_items.erase(m_items.begin() + index);
  UpdateScrollBar();
  UpdateControl(1);
  return 1;
}

int CRecordList::DeleteAllItems() {
  CloseEditor(true);
  m_hover = m_sel = -1;
  m_items.clear();
  UpdateScrollBar();
  UpdateControl(1);
  return 1;
}

void CRecordList::SwapItem(int a, int b) {
  if (a < 0 || b < 0 || a >= GetItemCount() || b >= GetItemCount() || a == b) return;
  CloseEditor(true);
  std::swap(m_items[a], m_items[b]);
}

std::vector<RecordItem*> CRecordList::GetRecordItems() const {
  std::vector<RecordItem*> out;
  out.reserve(m_items.size());
  for (auto& item : m_items) out.push_back(item.get());
  return out;
}

int CRecordList::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  if (index == m_sel) return 1;
  m_sel = index;
  CloseEditor(false);
  UpdateControl(1);
  return 1;
}

int CRecordList::GetScrollShift() const {
  const CScrollVertical* bar = GetScrollVertical();
  if (bar->GetRange() < 1) return 0;
  const int shift = bar->GetPos() * (ContentHeight() - m_rect.Height()) / bar->GetRange();
  return std::max(shift, 0);
}

void CRecordList::UpdateScrollBar() {
  CScrollVertical* bar = GetScrollVertical();
  const int pos = bar->GetPos();
  bar->SetRange(ContentHeight());
  bar->SetPos(pos);
  bar->SetControlVisible(ContentHeight() > m_rect.Height());
}

// The scroll bar takes its place at the first placement.
void CRecordList::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rect);
}

void CRecordList::SetControlRect(CRect rect) {
  CloseEditor(true);
  const int pos = GetScrollVertical()->GetPos();
  MPanel::SetControlRect(rect);
  GetScrollVertical()->SetRange(ContentHeight());
  GetScrollVertical()->SetPos(pos);
  UpdateScrollBar();
}

void CRecordList::SetControlVisible(int visible) {
  if (!visible) CloseEditor(true);
  MPanel::SetControlVisible(visible);
}

int CRecordList::SetControlFocus(int focus) {
  if (!focus) CloseEditor(true);
  return MPanel::SetControlFocus(focus);
}

LRESULT CRecordList::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  if (id == 1 && code == kNotifyPositionChanged) {
    CloseEditor(true);
    UpdateControl(1);
  }
  return MPanel::OnMessage(id, code, wParam, lParam);
}

int CRecordList::RowAt(CPoint pt) const {
  if (!m_rect.PtInRect(pt) || m_row_height <= 0) return -1;
  if (GetScrollVertical()->IsVisible() && pt.x >= m_rect.right - kScrollThickness) return -1;
  const int row = (pt.y - m_rect.top + GetScrollShift()) / m_row_height;
  return row < GetItemCount() ? row : -1;
}

bool CRecordList::IsEditing() const {
  return m_edit_row >= 0 && m_editor->IsOpen();
}

void CRecordList::OpenEditor() {
  if (!m_edit_enabled || !m_enabled || m_sel < 0 || m_hover < 0) return;
  if (IsEditing()) {
    if (m_edit_row == m_sel) return;
    CloseEditor(true);
  }
  const int top = m_rect.top + m_sel * m_row_height - GetScrollShift();
  const CRect box(m_rect.left + kDelayLeft, top, m_rect.left + kDelayRight, top + m_row_height);
  if (m_editor->Open(*this, box, std::to_string(m_items[m_sel]->delay), GetFontSpec(), kRowText))
    m_edit_row = m_sel;
}

void CRecordList::CloseEditor(bool force, bool commit) {
  if (!IsEditing() || (!force && m_edit_row == m_sel)) return;
  const int row = m_edit_row;
  std::string text = m_editor->Text();
  m_edit_row = -1;
  m_editor->Hide();
  if (!commit || row >= GetItemCount()) return;
  if (text.empty()) text = std::to_string(kEmptyDelay);
  const int delay = text::ParseDecimal(text);
  if (delay == m_items[row]->delay) return;
  m_items[row]->delay = delay;
  UpdateControl(1);
  SendMessageW(kNotifyEditEnded, 0, row);
}

int CRecordList::OnControlMouseMove(UINT, CPoint pt) {
  const int row = RowAt(pt);
  if (row != m_hover) {
    m_hover = row;
    UpdateControl(1);
  }
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int CRecordList::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  m_hover = RowAt(pt);
  const bool changed = m_sel != m_hover;
  m_sel = m_hover;
  const int x = pt.x - m_rect.left;
  if (m_sel >= 0 && x >= kDelayLeft && x < kDelayRight)
    OpenEditor();
  else
    CloseEditor(false);
  if (changed) UpdateControl(1);
  SendMessageW(kNotifyPressed, static_cast<WPARAM>(m_sel));
  return 1;
}

int CRecordList::OnControlLButtonUp(UINT, CPoint pt) {
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int CRecordList::OnControlRButtonUp(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  m_hover = RowAt(pt);
  const bool changed = m_sel != m_hover;
  m_sel = m_hover;
  CloseEditor(false);
  if (changed) UpdateControl(1);
  if (m_sel >= 0) SendMessageW(kNotifyRightClick, static_cast<WPARAM>(m_sel));
  return 1;
}

int CRecordList::OnControlScroll(int, UINT flags, CPoint) {
  if (ContentHeight() <= m_rect.Height()) return 0;
  CScrollVertical* bar = GetScrollVertical();
  CloseEditor(true);
  bar->SetPos(bar->GetPos() + (flags ? kWheelSteps : -kWheelSteps));
  UpdateControl(1);
  return 1;
}

void CRecordList::DrawControl(Canvas& dc, const CRect&) {
  const int h = m_row_height;
  const int width = m_rect.Width() - kScrollThickness;
  if (width <= 0 || h <= 0 || m_rect.Height() <= 0) return;
  const int shift = GetScrollShift();
  const int first = std::max(shift / h, 0);
  const int last = std::min((m_rect.Height() + shift) / h, GetItemCount() - 1);
  const int rows = std::max(last - first + 1, 1);
  const int rest = shift % h;
  if (!GetUpdate()) {
    Canvas& mem = UpdateMemDC(dc, width, rows * h);
    mem.FillSolidRect(mem.Bounds(), RGB(0xFF, 0xFF, 0xFF));
    mem.DrawCanvas(dc, CRect(m_rect.left, m_rect.top, m_rect.left + width, m_rect.bottom),
                   CPoint(0, rest));
    const FontSpec font{Manager::GetFontName(), m_font_size, m_font_style};
    const TextFormat centred{kAlignCenter, kAlignVCenter, false, true};
    for (int i = first; i <= last; ++i) {
      RecordItem& item = *m_items[i];
      const int top = (i - first) * h;
      item.rect = CRect(0, top, width, top + h);
      if (i == m_sel)
        mem.DrawRect(CRect(0, top, width - 1, top + h), m_select_color, 1);
      else if (i == m_hover)
        mem.DrawRect(CRect(0, top, width - 1, top + h), m_hover_color, 1);
      mem.DrawText(item.text, CRect(kTextLeft, top, kTextRight, top + h), font, kRowText, centred);
      mem.DrawText(EventWord(item.event_type), CRect(kEventLeft, top, kEventRight, top + h), font,
                   kRowText, centred);
      mem.DrawText(std::to_string(item.delay), CRect(kDelayLeft, top, kDelayRight, top + h), font,
                   kRowText, centred);
    }
  }
  // Only what the cache holds is copied: an empty part must not clear the window.
  const int shown = std::min(m_rect.Height(), GetMemDC().Height() - rest);
  if (shown > 0) dc.DrawCanvas(GetMemDC(), CRect(0, rest, width, rest + shown), m_rect.TopLeft());
}
