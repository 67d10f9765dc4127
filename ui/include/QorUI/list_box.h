// DListBox and MListBox: lists of fixed-height rows (text, item data, image
// index) with hover and selection fills, a vertical scroll bar when the rows
// are taller than the list, and in-place renaming through a native entry.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/panel.h"

namespace controls {
class InlineEditor;
}

class DListBox : public MPanel {
 public:
  static constexpr int kDefaultItemHeight = 32;
  static constexpr int kTextInset = 10;
  static constexpr int kIconGap = 8;
  static constexpr int kEditCorner = 6;

  struct Item {
    std::string text;
    long data = 0;
    int image = 0;
  };

  DListBox(MObject* parent, UINT id, CRect rect, int visible = 1);
  ~DListBox() override;

  int AddString(const char* text, long data = 0, int image = 0);
  // Out-of-range positions append.
  int InsertString(int index, const char* text, long data = 0, int image = 0);
  int GetItemCount() const { return static_cast<int>(m_items.size()); }
  long GetItemData(int index) const;
  int SetItemData(int index, long data);
  std::string GetItemText(int index) const;
  int ModifyItemString(int index, const char* text);
  // The first row with that text / data, -1 when none.
  int FindString(const std::string& text) const;
  int FindItemData(long data) const;
  int DeleteItem(int index);
  void DeleteAllItems();
  int SwapItem(int a, int b);
  // The row's rectangle in window coordinates (outside the list when scrolled away).
  CRect GetItemRect(int index) const;

  // -1 clears; out of range gives 0.
  int SetCurSel(int index);
  int GetCurSel() const { return m_sel; }
  // Selects the first row with that data; 0 when none.
  int SetCurData(long data);
  long GetCurData() const { return GetItemData(m_sel); }
  void SetItemHeight(int height);
  int GetItemHeight() const { return m_item_height; }
  void SetHoverColor(ARGB color) { m_hover_color = color; }
  void SetSelectColor(ARGB color) { m_select_color = color; }

  // The in-place editor's frame image (four frames, nine-sliced).
  int SetEditImage(const char* file, int frames = 4);
  void EnableShowEdit(int on) { m_edit_enabled = on ? 1 : 0; }
  // Opens the editor over the selected row's text; nothing until EnableShowEdit(1).
  void ShowEdit();
  // Commits a changed text (notification 29, lParam = row) and closes the editor.
  void HideEdit();
  bool IsEditing() const;
  int GetEditRow() const { return m_edit_row; }
  int GetTopOffset() const { return m_offset; }

  void InitControl(PaintManager* manager) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  void SetControlRect(CRect rect) override;
  void SetControlVisible(int visible) override;
  int SetControlFocus(int focus) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlRButtonUp(UINT flags, CPoint pt) override;
  int OnControlScroll(int delta, UINT flags, CPoint pt) override;

 protected:
  int RowAt(CPoint pt) const;
  int ContentHeight() const { return GetItemCount() * m_item_height; }
  int ViewWidth() const;
  void UpdateScroll();
  void ScrollTo(int offset);
  void CloseEditor(bool commit);
  // MListBox reports no clicks (2), only presses.
  bool m_notify_click = true;

 private:
  CRect RowRect(int index) const;  // in the list's own coordinates
  CRect TextArea(const CRect& row) const;

  std::vector<Item> m_items;
  int m_item_height = kDefaultItemHeight;
  int m_hover = -1;
  int m_sel = -1;
  int m_offset = 0;  // pixels scrolled
  int m_pressed = 0;
  ARGB m_hover_color;
  ARGB m_select_color;
  const Image* m_edit_image = nullptr;  // owned by the window's image cache
  int m_edit_frames = 4;
  int m_edit_enabled = 0;
  int m_edit_row = -1;
  std::unique_ptr<controls::InlineEditor> m_editor;
};

// The same list without the edit frame; a double-click reports 3 with the row.
class MListBox : public DListBox {
 public:
  MListBox(MObject* parent, UINT id, CRect rect, int visible = 1);

  int OnControlLButtonDblClk(UINT flags, CPoint pt) override;
};
