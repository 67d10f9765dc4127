// MTabCtrl: the tab strip that switches pages. Each tab has an icon strip, a
// text and an optional page that is shown while the tab is selected.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/control_font.h"

enum TAB_TYPE : int { TAB_TYPE_HORIZONTAL = 0, TAB_TYPE_VERTICAL = 1 };

struct TabItemInfo {
  int visible = 1;
  std::shared_ptr<Image> image;
  int frame_width = 0;
  int frame_height = 0;
  int frames = 3;
  int width = 0;  // as inserted: given, the icon's frame, or the default
  CRect rect;
  std::string text;
  UINT id = 0;
  CRect mark_rect;
  int mark_state = 0;
  MControl* page = nullptr;  // not owned
  std::string tooltip;
};

class MTabCtrl : public MControlFont {
 public:
  MTabCtrl(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  // The icon file is relative to the skin folder; frames -1 means 3. Returns the index.
  int InsertItem(UINT id, const char* text, const char* icon_file, MControl* page, int frames = -1,
                 int width = 0);
  void DeleteItem(int index);
  int GetItemCount() const { return static_cast<int>(m_items.size()); }
  TabItemInfo* GetItemInfo(int index);
  UINT GetItemID(int index) const;
  void SetItemText(int index, const std::string& text);
  void SetItemVisible(int index, int visible);
  int GetItemVisible(int index) const;
  // Returns the previous selection; the current index or one out of range changes nothing.
  int SetSelectItem(int index);
  int GetSelectItem() const { return m_selected; }
  int GetHoverItem() const { return m_hover; }
  void SetItemWidth(int width, int minimum, int refresh);
  void SetItemHeight(int height, int minimum, int refresh);
  void SetTabCtrlWidth(int width) { m_strip_width = width; }
  void SetTabCtrlHeight(int height) { m_strip_height = height; }
  int GetCtrlWidth() const { return m_strip_width; }
  int GetCtrlHeight() const { return m_strip_height; }
  int GetItemWidth() const { return m_item_width; }
  int GetItemHeight() const { return m_item_height; }
  void SetLeftRightPading(int left, int right) {
    m_pad_left = left;
    m_pad_right = right;
  }
  void SetTopBottomPading(int top, int bottom) {
    m_pad_top = top;
    m_pad_bottom = bottom;
  }
  void SetTabType(TAB_TYPE type) { m_type = type; }
  void EnableAnimateChangeTab(int on) { m_animate_change = on; }
  void SetSeparator(int size, const char* image_file);
  void SetMarkImage(const char* image_file, CSize size);
  void SetTabTooltip(int index, const std::string& text);
  void ClearTabTooltip();
  // Creates an MTabLayout child page when the name is "MTabLayout".
  MControl* CreatePanel(const char* class_name, UINT id, CRect rect);
  void RefreshItems();
  void SetUpdataRect(CRect rect);

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlTimer() override;

 private:
  int ItemAt(CPoint pt) const;
  // An item size fitted to the strip: the share of `available` per tab,
  // between `minimum` and `size` (just `size` without a minimum).
  int FitItemSize(int size, int minimum, int available) const;
  void ShowPages();
  void RenderCache(Canvas& dc);
  void DrawIcon(Canvas& dc, const TabItemInfo& item, const CRect& tab, int frame, int top) const;

  std::vector<TabItemInfo> m_items;
  TAB_TYPE m_type = TAB_TYPE_HORIZONTAL;
  int m_hover = -1;
  int m_selected = -1;
  int m_previous = -1;
  int m_item_width = 0;
  int m_item_height = 0;
  int m_strip_height = 0;
  int m_strip_width = 0;
  int m_default_item_width = 80;
  int m_pad_left = 0, m_pad_right = 0, m_pad_top = 0, m_pad_bottom = 0;
  int m_separator_size = 0;
  std::shared_ptr<Image> m_separator;
  std::shared_ptr<Image> m_mark;
  CSize m_mark_size;
  ARGB m_colors[3] = {0xE1C8C8C8, 0xFF191919, 0xFFCCCCCC};
  int m_animate_change = 0;
  int m_animate_step = 0;
  bool m_pressed = false;
  CRect m_update_rect;
};
