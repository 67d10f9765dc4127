// DListBox and MListBox: rows, selection, pixel scrolling through the
// container's vertical bar, drawing, and the in-place rename editor.
#include "QorUI/list_box.h"

#include <algorithm>

#include "QorUI/manager.h"
#include "QorUI/paint_manager.h"
#include "QorUI/render.h"
#include "QorUI/scroll_bar.h"
#include "controls/control_helpers.h"

namespace {
constexpr int kEditInsetLeft = 3;
constexpr int kEditInsetRight = 6;
constexpr int kEditorInsetY = 4;
}  // namespace

DListBox::DListBox(MObject* parent, UINT id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible),
      m_hover_color(Manager::GetSelectColor()),
      m_select_color(Manager::GetSelectColor()),
      m_editor(
          std::make_unique<controls::InlineEditor>([this](bool commit) { CloseEditor(commit); })) {}

DListBox::~DListBox() = default;

int DListBox::AddString(const char* text, long data, int image) {
  return InsertString(-1, text, data, image);
}

int DListBox::InsertString(int index, const char* text, long data, int image) {
  CloseEditor(false);
  if (index < 0 || index > GetItemCount()) index = GetItemCount();
  m_items.insert(m_items.begin() + index, Item{text ? text : "", data, image});
  if (m_sel >= index) ++m_sel;
  m_hover = -1;
  UpdateScroll();
  UpdateControl(1);
  return index;
}

long DListBox::GetItemData(int index) const {
  return index >= 0 && index < GetItemCount() ? m_items[index].data : 0;
}

int DListBox::SetItemData(int index, long data) {
  if (index < 0 || index >= GetItemCount()) return 0;
  m_items[index].data = data;
  return 1;
}

std::string DListBox::GetItemText(int index) const {
  return index >= 0 && index < GetItemCount() ? m_items[index].text : std::string();
}

int DListBox::ModifyItemString(int index, const char* text) {
  if (index < 0 || index >= GetItemCount()) return 0;
  m_items[index].text = text ? text : "";
  UpdateControl(1);
  return 1;
}

int DListBox::FindString(const std::string& text) const {
  for (int i = 0; i < GetItemCount(); ++i)
    if (m_items[i].text == text) return i;
  return -1;
}

int DListBox::FindItemData(long data) const {
  for (int i = 0; i < GetItemCount(); ++i)
    if (m_items[i].data == data) return i;
  return -1;
}

int DListBox::DeleteItem(int index) {
  if (index < 0 || index >= GetItemCount()) return 0;
  CloseEditor(false);
  m_items.erase(m_items.begin() + index);
  if (m_sel == index)
    m_sel = -1;
  else if (m_sel > index)
    --m_sel;
  m_hover = -1;
  UpdateScroll();
  UpdateControl(1);
  return 1;
}

void DListBox::DeleteAllItems() {
  CloseEditor(false);
  m_items.clear();
  m_sel = m_hover = -1;
  UpdateScroll();
  UpdateControl(1);
}

int DListBox::SwapItem(int a, int b) {
  if (a < 0 || b < 0 || a >= GetItemCount() || b >= GetItemCount() || a == b) return 0;
  CloseEditor(false);
  std::swap(m_items[a], m_items[b]);
  UpdateControl(1);
  return 1;
}

CRect DListBox::RowRect(int index) const {
  const int top = index * m_item_height - m_offset;
  return CRect(0, top, ViewWidth(), top + m_item_height);
}

CRect DListBox::GetItemRect(int index) const {
  if (index < 0 || index >= GetItemCount()) return CRect();
  CRect r = RowRect(index);
  r.OffsetRect(m_rect.TopLeft());
  return r;
}

int DListBox::ViewWidth() const {
  return m_rect.Width() - (GetScrollVertical()->IsVisible() ? kScrollThickness : 0);
}

int DListBox::RowAt(CPoint pt) const {
  if (!m_rect.PtInRect(pt) || pt.x - m_rect.left >= ViewWidth() || m_item_height <= 0) return -1;
  const int row = (pt.y - m_rect.top + m_offset) / m_item_height;
  return row < GetItemCount() ? row : -1;
}

int DListBox::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  if (index != m_sel) {
    m_sel = index;
    UpdateControl(1);
  }
  return 1;
}

int DListBox::SetCurData(long data) {
  const int index = FindItemData(data);
  return index < 0 ? 0 : SetCurSel(index);
}

void DListBox::SetItemHeight(int height) {
  if (height <= 0 || height == m_item_height) return;
  m_item_height = height;
  UpdateScroll();
  UpdateControl(1);
}

int DListBox::SetEditImage(const char* file, int frames) {
  if (!m_manager || !file) return 0;
  ImgResInfo* info = m_manager->AddImgResInfo(file, frames);
  if (!info) return 0;
  m_edit_image = info->image.get();
  m_edit_frames = std::max(frames, 1);
  return 1;
}

void DListBox::UpdateScroll() {
  const int range = std::max(ContentHeight() - m_rect.Height(), 0);
  m_offset = std::clamp(m_offset, 0, range);
  CScrollVertical* bar = GetScrollVertical();
  bar->SetRange(range);
  bar->SetStep(m_item_height);
  bar->SetPos(m_offset);
  bar->SetControlVisible(range > 0);
}

void DListBox::ScrollTo(int offset) {
  offset = std::clamp(offset, 0, std::max(ContentHeight() - m_rect.Height(), 0));
  if (offset == m_offset) return;
  m_offset = offset;
  GetScrollVertical()->SetPos(offset);
  UpdateControl(1);
}

// The scroll bar takes its place at the first placement.
void DListBox::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rect);
}

void DListBox::SetControlRect(CRect rect) {
  CloseEditor(true);
  MPanel::SetControlRect(rect);
  UpdateScroll();
}

void DListBox::SetControlVisible(int visible) {
  if (!visible) CloseEditor(true);
  MPanel::SetControlVisible(visible);
}

int DListBox::SetControlFocus(int focus) {
  if (!focus) CloseEditor(true);
  return MPanel::SetControlFocus(focus);
}

LRESULT DListBox::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  if (id == 1 && code == kNotifyPositionChanged) {
    CloseEditor(true);
    m_offset = static_cast<int>(wParam);
    UpdateControl(1);
  }
  return MPanel::OnMessage(id, code, wParam, lParam);
}

bool DListBox::IsEditing() const {
  return m_edit_row >= 0 && m_editor->IsOpen();
}

CRect DListBox::TextArea(const CRect& row) const {
  const int left = kTextInset + (m_image ? m_frame_width + kIconGap : 0);
  return CRect(row.left + left, row.top, row.right - kEditInsetRight, row.bottom);
}

void DListBox::ShowEdit() {
  if (!m_edit_enabled || m_sel < 0 || IsEditing()) return;
  const CRect row = RowRect(m_sel);
  if (row.top < 0) ScrollTo(m_sel * m_item_height);
  if (row.bottom > m_rect.Height()) ScrollTo((m_sel + 1) * m_item_height - m_rect.Height());
  CRect area = TextArea(RowRect(m_sel));
  area.DeflateRect(0, kEditorInsetY);
  area.OffsetRect(m_rect.TopLeft());
  if (!m_editor->Open(*this, area, m_items[m_sel].text, GetFontSpec(), m_text_color)) return;
  m_edit_row = m_sel;
  UpdateControl(1);
}

void DListBox::HideEdit() {
  CloseEditor(true);
}

void DListBox::CloseEditor(bool commit) {
  if (!IsEditing()) return;
  const int row = m_edit_row;
  const std::string text = m_editor->Text();
  m_edit_row = -1;
  m_editor->Hide();
  UpdateControl(1);
  if (!commit || row >= GetItemCount() || text == m_items[row].text) return;
  m_items[row].text = text;
  SendMessageW(kNotifyEditEnded, 0, row);
}

int DListBox::OnControlMouseMove(UINT, CPoint pt) {
  const int row = RowAt(pt);
  if (row != m_hover) {
    m_hover = row;
    UpdateControl(1);
  }
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int DListBox::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  const int row = RowAt(pt);
  // The rename is committed before the selection moves away from it.
  CloseEditor(true);
  m_pressed = 1;
  if (row < 0) return 1;
  SetCurSel(row);
  SendMessageW(kNotifyPressed, static_cast<WPARAM>(row));
  return 1;
}

int DListBox::OnControlLButtonUp(UINT, CPoint pt) {
  const bool pressed = m_pressed;
  m_pressed = 0;
  const int row = RowAt(pt);
  if (!m_enabled || !pressed || row < 0) return m_rect.PtInRect(pt) ? 1 : 0;
  if (m_notify_click) SendMessageW(kNotifyClicked, static_cast<WPARAM>(row));
  return 1;
}

int DListBox::OnControlRButtonUp(UINT, CPoint pt) {
  const int row = RowAt(pt);
  if (!m_enabled || row < 0) return 0;
  CloseEditor(true);
  SetCurSel(row);
  SendMessageW(kNotifyRightClick, static_cast<WPARAM>(m_sel));
  return 1;
}

int DListBox::OnControlScroll(int, UINT flags, CPoint) {
  if (ContentHeight() <= m_rect.Height()) return 0;
  CloseEditor(true);
  ScrollTo(m_offset + (flags ? m_item_height : -m_item_height));
  return 1;
}

void DListBox::DrawControl(Canvas& dc, const CRect&) {
  controls::DrawCached(*this, dc, [this](Canvas& mem) {
    const int height = m_rect.Height();
    mem.Save();
    mem.IntersectClip(CRect(0, 0, ViewWidth(), height));
    for (int i = std::max(m_offset / std::max(m_item_height, 1), 0); i < GetItemCount(); ++i) {
      const CRect row = RowRect(i);
      if (row.top >= height) break;
      const CRect fill(row.left + 1, row.top, row.right - 1, row.bottom);
      if (i == m_edit_row && m_edit_image) {
        const int fw = m_edit_image->Width() / m_edit_frames;
        MRender::DrawImageFrame(
            mem, m_edit_image,
            CRect(row.left + kEditInsetLeft, row.top, row.right - kEditInsetRight, row.bottom), 0,
            0, fw, m_edit_image->Height(), kEditCorner);
      } else if (i == m_sel) {
        mem.FillRect(fill, m_select_color);
      } else if (i == m_hover) {
        mem.FillRect(fill, m_hover_color);
      }
      if (m_image) {
        const int frame = (i == m_sel && m_frames > 1) ? 1 : 0;
        const CRect icon(
            CPoint(row.left + kTextInset, row.top + (m_item_height - m_frame_height) / 2),
            CSize(m_frame_width, m_frame_height));
        mem.DrawImage(*m_image, icon, GetFrameRect(frame));
      }
      mem.DrawText(m_items[i].text, TextArea(row), GetFontSpec(), m_text_color,
                   TextFormat{kAlignLeft, kAlignVCenter, false, true});
    }
    mem.Restore();
  });
}

MListBox::MListBox(MObject* parent, UINT id, CRect rect, int visible)
    : DListBox(parent, id, rect, visible) {
  m_notify_click = false;
  SetDblClk(1);
}

int MListBox::OnControlLButtonDblClk(UINT, CPoint pt) {
  const int row = RowAt(pt);
  if (!m_enabled || row < 0) return 0;
  SendMessageW(kNotifyDoubleClick, static_cast<WPARAM>(row));
  return 1;
}
