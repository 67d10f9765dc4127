// MTabCtrl: tab layout, selection with page switching, and the state caches
// (rows for a horizontal strip, columns for a vertical one).
#include "QorUI/tab_ctrl.h"

#include <algorithm>
#include <cstring>

#include "QorUI/manager.h"
#include "QorUI/paint_manager.h"
#include "QorUI/panel.h"
#include "QorUI/render.h"

namespace {
constexpr UINT kAnimateKey = 100;
constexpr int kAnimateSteps = 10;

std::shared_ptr<Image> LoadSkinImage(const char* file) {
  if (!file || !*file) return nullptr;
  return std::shared_ptr<Image>(MRender::LoadImageFromFile(Manager::GetSkinPath(file)));
}
}  // namespace

MTabCtrl::MTabCtrl(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {}

int MTabCtrl::InsertItem(UINT id, const char* text, const char* icon_file, MControl* page,
                         int frames, int width) {
  TabItemInfo item;
  item.id = id;
  item.text = text ? text : "";
  item.page = page;
  item.frames = frames == -1 || frames <= 0 ? 3 : frames;
  item.image = LoadSkinImage(icon_file);
  if (item.image) {
    item.frame_width = item.image->Width() / item.frames;
    item.frame_height = item.image->Height();
  }
  const int w = width > 0 ? width : item.frame_width > 0 ? item.frame_width : m_default_item_width;
  item.width = w;
  item.rect = CRect(0, 0, w, 0);
  m_items.push_back(std::move(item));
  RefreshItems();
  return static_cast<int>(m_items.size()) - 1;
}

void MTabCtrl::DeleteItem(int index) {
  if (index < 0 || index >= GetItemCount()) return;
  m_items.erase(m_items.begin() + index);
  if (m_selected == index) m_selected = -1;
  if (m_selected > index) --m_selected;
  RefreshItems();
}

TabItemInfo* MTabCtrl::GetItemInfo(int index) {
  return index >= 0 && index < GetItemCount() ? &m_items[index] : nullptr;
}

UINT MTabCtrl::GetItemID(int index) const {
  return index >= 0 && index < GetItemCount() ? m_items[index].id : 0;
}

void MTabCtrl::SetItemText(int index, const std::string& text) {
  if (TabItemInfo* item = GetItemInfo(index)) {
    item->text = text;
    UpdateControl(1);
  }
}

void MTabCtrl::SetItemVisible(int index, int visible) {
  if (TabItemInfo* item = GetItemInfo(index)) {
    item->visible = visible;
    RefreshItems();
  }
}

int MTabCtrl::GetItemVisible(int index) const {
  return index >= 0 && index < GetItemCount() ? m_items[index].visible : 0;
}

int MTabCtrl::FitItemSize(int size, int minimum, int available) const {
  if (minimum <= 0 || m_items.empty()) return size;
  return std::min(std::max(available / GetItemCount(), minimum), size);
}

void MTabCtrl::SetItemWidth(int width, int minimum, int refresh) {
  const int next = FitItemSize(width, minimum, m_rect.Width() - m_pad_left - m_pad_right);
  if (next == m_item_width) return;
  m_item_width = next;
  if (refresh) RefreshItems();
}

void MTabCtrl::SetItemHeight(int height, int minimum, int refresh) {
  const int next = FitItemSize(height, minimum, m_rect.Height() - m_pad_top - m_pad_bottom);
  if (next == m_item_height) return;
  m_item_height = next;
  if (refresh) RefreshItems();
}

void MTabCtrl::SetSeparator(int size, const char* image_file) {
  m_separator_size = std::max(size, 0);
  m_separator = LoadSkinImage(image_file);
}

void MTabCtrl::SetMarkImage(const char* image_file, CSize size) {
  m_mark = LoadSkinImage(image_file);
  m_mark_size = size;
}

void MTabCtrl::SetTabTooltip(int index, const std::string& text) {
  if (TabItemInfo* item = GetItemInfo(index)) item->tooltip = text;
}

void MTabCtrl::ClearTabTooltip() {
  for (TabItemInfo& item : m_items) item.tooltip.clear();
  ClearTooltip();
}

MControl* MTabCtrl::CreatePanel(const char* class_name, UINT id, CRect rect) {
  if (!class_name || std::strcmp(class_name, "MTabLayout") != 0) return nullptr;
  auto page = std::make_unique<MTabLayout>(m_parent, id, rect, 0);
  if (auto* panel = dynamic_cast<MPanel*>(m_parent)) return panel->AddChild(std::move(page));
  return m_manager ? m_manager->AddControl(std::move(page)) : nullptr;
}

void MTabCtrl::RefreshItems() {
  const TabItemInfo* first = m_items.empty() ? nullptr : &m_items.front();
  // The first tab's width as inserted: its laid-out rectangle is empty while it is hidden.
  const int item_w = m_item_width > 0 ? m_item_width : first ? first->width : 0;
  const int item_h = m_item_height > 0 ? m_item_height : first ? first->frame_height : 0;
  const int tab_h = m_strip_height > 0 ? m_strip_height : item_h;
  const int tab_w = m_strip_width > 0 ? m_strip_width : m_rect.Width() - m_pad_left - m_pad_right;
  int x = m_rect.left + m_pad_left;
  int y = m_rect.top + m_pad_top;
  int last_visible = -1;
  for (int i = 0; i < GetItemCount(); ++i)
    if (m_items[i].visible) last_visible = i;
  for (int i = 0; i < GetItemCount(); ++i) {
    TabItemInfo& item = m_items[i];
    if (!item.visible) {
      item.rect.SetRectEmpty();
      item.mark_rect.SetRectEmpty();
      continue;
    }
    const int gap = i == last_visible ? 0 : m_separator_size;
    if (m_type == TAB_TYPE_HORIZONTAL) {
      item.rect = CRect(x, y, x + item_w, y + tab_h);
      x += item_w + gap;
    } else {
      item.rect = CRect(x, y, x + tab_w, y + tab_h);
      y += tab_h + 1 + gap;
    }
    item.mark_rect = m_mark ? CRect(item.rect.right - m_mark_size.cx, item.rect.top,
                                    item.rect.right, item.rect.top + m_mark_size.cy)
                            : CRect();
  }
  if (m_selected >= GetItemCount()) m_selected = last_visible;
  if (m_hover >= GetItemCount()) m_hover = -1;
  ShowPages();
  UpdateControl(1);
}

void MTabCtrl::ShowPages() {
  for (int i = 0; i < GetItemCount(); ++i)
    if (m_items[i].page && i != m_selected) m_items[i].page->SetVisible(0);
  if (TabItemInfo* item = GetItemInfo(m_selected))
    if (item->page) item->page->SetVisible(1);
}

int MTabCtrl::SetSelectItem(int index) {
  const int previous = m_selected;
  if (index == m_selected || index < 0 || index >= GetItemCount()) return previous;
  m_previous = previous;
  m_selected = index;
  m_hover = -1;
  SendMessageW(kNotifyClicked, static_cast<WPARAM>(index));
  ShowPages();
  if (m_animate_change && m_manager) {
    m_animate_step = 0;
    m_manager->SetTimer(this, kAnimateKey, 30);
  }
  UpdateControl(0);
  return previous;
}

void MTabCtrl::SetUpdataRect(CRect rect) {
  m_update_rect = rect;
}

int MTabCtrl::ItemAt(CPoint pt) const {
  for (int i = 0; i < GetItemCount(); ++i)
    if (m_items[i].visible && m_items[i].rect.PtInRect(pt)) return i;
  return -1;
}

int MTabCtrl::OnControlMouseMove(UINT, CPoint pt) {
  const int hover = m_rect.PtInRect(pt) ? ItemAt(pt) : -1;
  if (hover != m_hover) {
    m_hover = hover;
    if (hover >= 0 && !m_items[hover].tooltip.empty())
      SetTooltip(m_items[hover].tooltip, m_items[hover].rect);
    UpdateControl(0);
  }
  return hover >= 0 ? 1 : 0;
}

int MTabCtrl::OnControlLButtonDown(UINT, CPoint pt) {
  m_pressed = true;
  const int index = ItemAt(pt);
  if (index >= 0 && m_items[index].mark_rect.PtInRect(pt)) {
    m_items[index].mark_state = 2;
    SendMessageW(kNotifySecondaryPressed, static_cast<WPARAM>(index));
    UpdateControl(1);
  }
  return 1;
}

int MTabCtrl::OnControlLButtonUp(UINT, CPoint pt) {
  const bool was_pressed = m_pressed;
  m_pressed = false;
  for (TabItemInfo& item : m_items) item.mark_state = 0;
  if (was_pressed && m_hover >= 0 && m_hover == ItemAt(pt)) SetSelectItem(m_hover);
  return 1;
}

int MTabCtrl::OnControlTimer() {
  if (++m_animate_step >= kAnimateSteps && m_manager) m_manager->KillTimer(this, kAnimateKey);
  UpdateControl(0);
  return 1;
}

void MTabCtrl::DrawIcon(Canvas& dc, const TabItemInfo& item, const CRect& tab, int frame,
                        int top) const {
  if (!item.image) return;
  frame = std::min(frame, item.frames - 1);
  const int x = tab.left + (tab.Width() - item.frame_width) / 2;
  const CRect src(frame * item.frame_width, 0, (frame + 1) * item.frame_width, item.frame_height);
  dc.DrawImage(*item.image, CRect(CPoint(x, top), src.Size()), src);
}

void MTabCtrl::RenderCache(Canvas& dc) {
  const int w = m_rect.Width(), h = m_rect.Height();
  const bool vertical = m_type == TAB_TYPE_VERTICAL;
  const int states = vertical ? 4 : 3;
  Canvas& mem = UpdateMemDC(dc, vertical ? w * states : w, vertical ? h : h * states);
  for (int s = 0; s < states; ++s) {
    const CPoint origin = vertical ? CPoint(s * w, 0) : CPoint(0, s * h);
    mem.DrawCanvas(dc, m_rect, origin);
    for (const TabItemInfo& item : m_items) {
      if (!item.visible) continue;
      CRect tab = item.rect;
      tab.OffsetRect(origin.x - m_rect.left, origin.y - m_rect.top);
      if (vertical) {
        const int top = tab.top + (tab.Height() - item.frame_height - 25) / 2;
        DrawIcon(mem, item, tab, s, top);
        const int text_top =
            tab.top + item.frame_height + (tab.Height() - item.frame_height - 20) / 2 + 3;
        mem.DrawText(item.text, CRect(tab.left, text_top, tab.right, text_top + 20),
                     FontSpec{m_font_face, 13, m_font_style}, s == 0 ? 0xFFFFFFFF : 0xFFFF0000,
                     {kAlignCenter, kAlignVCenter, false, true});
      } else {
        DrawIcon(mem, item, tab, s == 1 ? 1 : 0, tab.top + 10);
        if (!item.image)
          mem.DrawText(item.text, tab, GetFontSpec(), s == 0 ? m_colors[2] : 0xFFFFFFFF,
                       {kAlignCenter, kAlignVCenter, false, true});
        if (m_mark && !item.mark_rect.IsRectEmpty()) {
          const int mw = m_mark->Width() / 3;
          CRect mark = item.mark_rect;
          mark.OffsetRect(origin.x - m_rect.left, origin.y - m_rect.top);
          mem.DrawImage(*m_mark, mark, CRect(s * mw, 0, (s + 1) * mw, m_mark->Height()));
        }
      }
    }
  }
}

void MTabCtrl::DrawControl(Canvas& dc, const CRect&) {
  const int w = m_rect.Width(), h = m_rect.Height();
  if (w <= 0 || h <= 0) return;
  if (!GetUpdate()) RenderCache(dc);
  const Canvas& mem = GetMemDC();
  const bool vertical = m_type == TAB_TYPE_VERTICAL;
  auto state_origin = [&](int s) { return vertical ? CPoint(s * w, 0) : CPoint(0, s * h); };
  dc.DrawCanvas(mem, CRect(state_origin(0), CSize(w, h)), m_rect.TopLeft());
  auto copy_tab = [&](int index, int state, BYTE alpha) {
    const TabItemInfo* item = index >= 0 && index < GetItemCount() ? &m_items[index] : nullptr;
    if (!item || !item->visible) return;
    CRect src = item->rect;
    src.OffsetRect(state_origin(state).x - m_rect.left, state_origin(state).y - m_rect.top);
    dc.DrawCanvas(mem, src, item->rect.TopLeft(),
                  alpha == 255 ? BlendMode::kCopy : BlendMode::kOver, alpha);
  };
  if (m_hover != m_selected) copy_tab(m_hover, 1, 255);
  const bool animating = m_animate_change && m_animate_step < kAnimateSteps;
  copy_tab(m_selected, 2,
           animating ? static_cast<BYTE>(255 * (m_animate_step + 1) / kAnimateSteps) : 255);
}
