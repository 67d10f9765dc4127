// KeyFuncControl: its items, hover with tooltips for the function icons, the
// press that picks an item, the mark of the current assignment, and drawing.
#include "QorUI/key_func_control.h"

#include <algorithm>

#include "QorUI/manager.h"
#include "QorUI/paint_manager.h"
#include "QorUI/render.h"
#include "QorUI/scroll_bar.h"
#include "controls/control_helpers.h"
#include "controls/key_func_table.h"

KeyFuncControl::KeyFuncControl(MObject* parent, UINT id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible) {}

void KeyFuncControl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rect);
}

void KeyFuncControl::SetControlRect(CRect rect) {
  MPanel::SetControlRect(rect);
}

void KeyFuncControl::AddItem(const std::string& name, int item_data, CRect rect,
                             const std::string& icon) {
  KeyFuncItem item;
  item.name = name;
  item.item_data = item_data;
  item.rect = rect;
  item.icon = controls::LoadSkinImage(icon);
  m_items.push_back(std::move(item));
}

void KeyFuncControl::InitItemInfo() {
  ClearItems();
  for (const controls::KeyFuncEntry& e : controls::KeyFuncTable())
    AddItem(e.label, e.item_data, e.rect, e.icon);
  UpdateControl(1);
}

void KeyFuncControl::ClearItems() {
  m_items.clear();
  m_hover = m_clicked = m_checked = m_tip = -1;
}

const KeyFuncItem* KeyFuncControl::GetItem(int index) const {
  return index >= 0 && index < GetItemCount() ? &m_items[index] : nullptr;
}

void KeyFuncControl::SetItemDesc(int item_data, const std::string& text) {
  auto it = std::find_if(m_items.begin(), m_items.end(),
                         [item_data](const KeyFuncItem& i) { return i.item_data == item_data; });
  if (it == m_items.end()) return;
  it->name = text;
  UpdateControl(1);
}

void KeyFuncControl::SetItemCheckByItemData(int item_data, int key, int key2) {
  m_clicked = m_checked = -1;
  if (item_data != 0) {
    for (int i = 0; i < GetItemCount(); ++i) {
      const KeyFuncItem& item = m_items[i];
      if (item.item_data == item_data && item.key == key && item.key2 == key2) {
        m_checked = i;
        break;
      }
    }
  }
  UpdateControl(1);
}

bool KeyFuncControl::GetCurItemData(int&, int& item_data, int& key, int& key2,
                                    std::string& name) const {
  const KeyFuncItem* item = GetItem(m_clicked);
  if (!item) return false;
  item_data = item->item_data;
  key = item->key;
  key2 = item->key2;
  name = item->name;
  return true;
}

CRect KeyFuncControl::WindowRect(const KeyFuncItem& item) const {
  CRect r = item.rect;
  r.OffsetRect(m_rect.left, m_rect.top - GetScrollVertical()->GetPos());
  return r;
}

int KeyFuncControl::OnControlMouseMove(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  if (const KeyFuncItem* item = GetItem(m_hover); item && WindowRect(*item).PtInRect(pt)) {
    if (m_manager) m_manager->SetControlCursor(CursorKind::kHand);
    if (item->item_data >= kFirstFunctionCode && !item->name.empty() && m_tip != m_hover) {
      SetTooltip(item->name, WindowRect(*item));
      m_tip = m_hover;
    }
    return 1;
  }
  const int before = m_hover;
  m_hover = m_tip = -1;
  if (m_manager) m_manager->SetControlCursor(CursorKind::kArrow);
  ClearTooltip();
  for (int i = 0; i < GetItemCount(); ++i) {
    if (WindowRect(m_items[i]).PtInRect(pt)) {
      m_hover = i;
      break;
    }
  }
  if (m_hover != before) UpdateControl(1);
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int KeyFuncControl::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  m_clicked = m_hover;
  UpdateControl(1);
  SendMessageW(kNotifyPressed, static_cast<WPARAM>(m_hover));
  return 1;
}

void KeyFuncControl::DrawControl(Canvas& dc, const CRect&) {
  controls::DrawCached(*this, dc, [this](Canvas& mem) {
    for (int i = 0; i < GetItemCount(); ++i) {
      const int state = (i == m_checked || i == m_clicked) ? 2 : i == m_hover ? 1 : 0;
      DrawItem(mem, m_items[i], state);
    }
  });
}

void KeyFuncControl::DrawItem(Canvas& mem, const KeyFuncItem& item, int state) const {
  CRect r = item.rect;
  r.OffsetRect(0, -GetScrollVertical()->GetPos());
  if (m_image) {
    const CRect frame = GetFrameRect(std::min(state, m_frames - 1));
    if (r.Width() <= kStretchLimit)
      mem.DrawImage(*m_image, r, frame);
    else
      MRender::DrawImageFrame(mem, m_image, r, frame.left, 0, frame.Width(), frame.Height(),
                              kCorner);
  }
  if (item.icon) {
    const CRect icon(
        CPoint(r.left + (r.Width() - kIconSize) / 2, r.top + (r.Height() - kIconSize) / 2),
        CSize(kIconSize, kIconSize));
    mem.DrawImage(*item.icon, icon, CRect(0, 0, item.icon->Width(), item.icon->Height()));
    return;
  }
  const FontSpec font{Manager::GetFontName(), m_font_size, m_font_style};
  mem.DrawText(item.name, r, font, m_text_color,
               TextFormat{kAlignCenter, kAlignVCenter, false, false});
}
