// MComboBox: items, selection, the face's four cached frames, and opening and
// closing of the drop-down popup.
#include "QorUI/combo_box.h"

#include <algorithm>

#include "QorUI/paint_manager.h"
#include "QorUI/render.h"
#include "QorUI/window.h"
#include "controls/control_helpers.h"

namespace {
// Fixed borders of the face image; the right one holds the arrow.
constexpr int kFaceLeft = 10, kFaceTop = 10, kFaceRight = 36, kFaceBottom = 10;
constexpr int kTextLeft = 6, kTextTop = 6, kTextRight = 30, kTextBottom = 6;
constexpr int kPopupLeftInset = 4, kPopupRightInset = 6, kPopupGap = 2;
}  // namespace

MComboBox::MComboBox(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {}

MComboBox::~MComboBox() {
  if (m_popup) m_popup->Detach();
}

int MComboBox::AddItem(const char* text, long data, const char* icon, ARGB color) {
  return InsertItem(-1, text, data, icon, color);
}

int MComboBox::InsertItem(int index, const char* text, long data, const char* icon, ARGB color) {
  ComboItem item;
  item.text = text ? text : "";
  item.data = data;
  item.icon_file = icon ? icon : "";
  item.icon = controls::LoadSkinImage(item.icon_file);
  item.color = color;
  if (index < 0 || index > GetCount()) index = GetCount();
  m_items.insert(m_items.begin() + index, std::move(item));
  if (m_sel >= index) ++m_sel;
  return index;
}

int MComboBox::DeleteItem(int index) {
  if (index < 0 || index >= GetCount()) return 0;
  m_items.erase(m_items.begin() + index);
  if (m_sel == index) {
    m_sel = -1;
    UpdateControl(1);
  } else if (m_sel > index) {
    --m_sel;
  }
  return 1;
}

void MComboBox::DelAllItems() {
  m_items.clear();
  m_sel = -1;
  UpdateControl(1);
}

const ComboItem* MComboBox::GetItem(int index) const {
  return index >= 0 && index < GetCount() ? &m_items[index] : nullptr;
}

int MComboBox::SetCurSel(int index) {
  if (index < -1 || index >= GetCount()) return 0;
  if (index != m_sel) {
    m_sel = index;
    UpdateControl(1);
  }
  return 1;
}

long MComboBox::GetCurData() const {
  return GetItemData(m_sel);
}

long MComboBox::GetItemData(int index) const {
  const ComboItem* item = GetItem(index);
  return item ? item->data : 0;
}

int MComboBox::SetItemData(int index, long data) {
  if (!GetItem(index)) return 0;
  m_items[index].data = data;
  return 1;
}

int MComboBox::SetItemText(int index, const std::string& text) {
  if (!GetItem(index)) return 0;
  m_items[index].text = text;
  if (index == m_sel) UpdateControl(1);
  return 1;
}

std::string MComboBox::GetItemText(int index) const {
  const ComboItem* item = GetItem(index);
  return item ? item->text : std::string();
}

int MComboBox::FindData(long data) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_items[i].data == data) return i;
  return -1;
}

int MComboBox::SelectData(long data) {
  const int index = FindData(data);
  if (index < 0) return 0;
  SetCurSel(index);
  return 1;
}

void MComboBox::SetTextRect(CRect rect) {
  m_text_rect = rect;
  UpdateControl(1);
}

CRect MComboBox::TextBox() const {
  if (!m_text_rect.IsRectEmpty()) return m_text_rect;
  return CRect(kTextLeft, kTextTop, m_rect.Width() - kTextRight, m_rect.Height() - kTextBottom);
}

CRect MComboBox::GetDropDownRect() const {
  CRect face = m_rect;
  MWindow* window = m_manager ? m_manager->GetWindow() : nullptr;
  if (window) window->ClientToScreen(face);
  const int height = kRowHeight * std::min(GetCount(), kMaxRows) + 2 * kPopupMargin;
  const int left = face.left + kPopupLeftInset, right = face.right - kPopupRightInset;
  CRect below(left, face.bottom + kPopupGap, right, face.bottom + kPopupGap + height);
  Host* host = Host::Current();
  if (!host || below.bottom <= host->GetWorkArea(face).bottom) return below;
  return CRect(left, face.top - kPopupGap - height, right, face.top - kPopupGap);
}

void MComboBox::ShowDropDown() {
  if (m_open || !m_enabled || m_items.empty() || !m_manager) return;
  if (!m_popup) m_popup = std::make_unique<CComboBoxWnd>(this);
  m_popup->SetParent(this);
  if (!m_popup->Create(m_manager->GetPaintWnd(), "ComboWnd", WS_POPUP, WS_EX_TOOLWINDOW,
                       GetDropDownRect()))
    return;
  m_open = true;
  m_popup->ShowWindow(SW_SHOW);
  UpdateControl(0);
}

void MComboBox::CloseDropDown() {
  if (m_open && m_popup) m_popup->CloseWindow();
}

void MComboBox::OnItemPicked(int index) {
  if (!GetItem(index)) return;
  SetCurSel(index);
  CloseDropDown();
  SendMessageW(kNotifyClicked, static_cast<WPARAM>(index), 0);
}

void MComboBox::OnDropDownClosed() {
  m_open = false;
  m_hover = 0;
  UpdateControl(0);
}

void MComboBox::SetControlVisible(int visible) {
  if (!visible) CloseDropDown();
  MControlFont::SetControlVisible(visible);
}

int MComboBox::OnControlMouseMove(UINT, CPoint pt) {
  return m_enabled ? controls::TrackHover(*this, m_hover, pt) : 0;
}

int MComboBox::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  // A press that closes the open list must not open it again on release.
  m_open_at_press = m_open;
  return 1;
}

int MComboBox::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const bool reopen = !m_open_at_press;
  m_open_at_press = false;
  if (!m_rect.PtInRect(pt)) return 1;
  if (reopen) ShowDropDown();
  return 1;
}

// Frames: normal, hover, pressed (list open), disabled.
void MComboBox::DrawControl(Canvas& dc, const CRect&) {
  const int shown = !m_enabled ? 3 : m_open ? 2 : m_hover;
  controls::DrawStateFrames(*this, dc, 4, shown, [this](Canvas& mem, int i) {
    if (m_image) {
      const int frame = std::min(i, m_frames - 1);
      MRender::DrawImageFrameMID(mem, m_image, CRect(0, 0, m_rect.Width(), m_rect.Height()),
                                 frame * m_frame_width, 0, m_frame_width, m_frame_height, kFaceLeft,
                                 kFaceTop, kFaceRight, kFaceBottom);
    }
    if (m_sel < 0) return;
    mem.DrawText(m_items[m_sel].text, TextBox(), GetFontSpec(),
                 i == 3 ? kDisabledText : m_text_color,
                 TextFormat{kAlignLeft, kAlignVCenter, false, true});
  });
}
