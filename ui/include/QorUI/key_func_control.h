// KeyFuncControl: the palette a key's new function is picked from: a row of
// 18 media and application functions (icons, codes 232-249) above a 104-key
// keyboard of labelled buttons (HID usage ids). A press reports 1 with the
// item's index; the owner then reads the item with GetCurItemData.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/image.h"
#include "QorUI/panel.h"

struct KeyFuncItem {
  std::string name;  // label of key items, tooltip of function items
  int item_data = 0;
  int key = 0;
  int key2 = 0;
  std::unique_ptr<Image> icon;  // function items only
  CRect rect;                   // in control coordinates
};

class KeyFuncControl : public MPanel {
 public:
  static constexpr int kIconSize = 20;
  static constexpr int kFirstFunctionCode = 232;
  static constexpr int kStretchLimit = 60;  // wider items are nine-sliced
  static constexpr int kCorner = 8;

  KeyFuncControl(MObject* parent, UINT id, CRect rect, int visible = 1);

  // Clears the items and adds the built-in function row and keyboard.
  void InitItemInfo();
  void ClearItems();
  // Names the first item with that item data.
  void SetItemDesc(int item_data, const std::string& text);
  // Clears the clicked and checked items; a nonzero item data marks the first
  // item matching all three values.
  void SetItemCheckByItemData(int item_data, int key, int key2);
  // False when no item was clicked; `first` is left as it is.
  bool GetCurItemData(int& first, int& item_data, int& key, int& key2, std::string& name) const;

  int GetItemCount() const { return static_cast<int>(m_items.size()); }
  const KeyFuncItem* GetItem(int index) const;
  int GetHoverIndex() const { return m_hover; }
  int GetClickedIndex() const { return m_clicked; }
  int GetCheckedIndex() const { return m_checked; }

  void InitControl(PaintManager* manager) override;
  void SetControlRect(CRect rect) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT, CPoint) override { return 0; }
  int OnControlScroll(int, UINT, CPoint) override { return 1; }

 private:
  void AddItem(const std::string& name, int item_data, CRect rect, const std::string& icon);
  CRect WindowRect(const KeyFuncItem& item) const;
  void DrawItem(Canvas& mem, const KeyFuncItem& item, int state) const;

  std::vector<KeyFuncItem> m_items;
  int m_hover = -1;
  int m_clicked = -1;
  int m_checked = -1;
  int m_tip = -1;  // item whose tooltip is shown
};
