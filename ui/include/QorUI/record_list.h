// CRecordList: the steps of a macro as rows of three columns (text, "Key
// Down"/"Key Up", delay in ms). Rows are appended while recording; the delay
// of a row is edited in place. Notifications: 1 on a press (the new selected
// row), 5 on a right release over a row, 29 when an edit changed a delay
// (lParam = the row).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/panel.h"

class MImageList;

namespace controls {
class InlineEditor;
}

struct RecordItem {
  std::string text;
  int event_type = 0;  // 2 "Key Down", 3 "Key Up", others nothing
  int value = 0;       // the key or button code, for the program
  int delay = 0;       // milliseconds
  CRect rect;          // row rectangle in the list's drawing space, set while drawing
};

class CRecordList : public MPanel {
 public:
  static constexpr int kDefaultRowHeight = 41;
  static constexpr int kWheelSteps = 10;
  static constexpr int kEmptyDelay = 10;  // an emptied delay field means 10 ms
  // Column boxes, relative to the list.
  static constexpr int kTextLeft = 0, kTextRight = 160;
  static constexpr int kEventLeft = 180, kEventRight = 280;
  static constexpr int kDelayLeft = 300, kDelayRight = 420;

  CRecordList(MObject* parent, UINT id, CRect rect, int visible = 1);
  ~CRecordList() override;

  // Appends a row and scrolls to it; returns its index.
  int AddString(const std::string& text, int event_type, int value, int delay);
  // The delay of the last row; false when the list is empty.
  bool UpdateDelayTime(int delay);
  int DeleteItem(int index);
  int DeleteAllItems();
  void SwapItem(int a, int b);
  // The rows stay owned by the list.
  std::vector<RecordItem*> GetRecordItems() const;
  int GetItemCount() const { return static_cast<int>(m_items.size()); }
  // -1 clears; out of range gives 0; unchanged gives 1.
  int SetCurSel(int index);
  int GetCurSel() const { return m_sel; }
  int GetHoverRow() const { return m_hover; }
  // Takes effect at the next layout; the rows are not re-laid.
  void SetItemHeight(int height) { m_row_height = height > 0 ? height : m_row_height; }
  // Kept for the program; the list does not draw it.
  void SetImageList(MImageList* images) { m_images = images; }
  void EnableEdit(int on) { m_edit_enabled = on ? 1 : 0; }
  bool IsEditing() const;
  int GetEditRow() const { return m_edit_row; }
  // Pixels the rows are shifted up by the scroll position.
  int GetScrollShift() const;

  void InitControl(PaintManager* manager) override;
  int SetControlFocus(int focus) override;
  void SetControlRect(CRect rect) override;
  void SetControlVisible(int visible) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlLButtonDblClk(UINT, CPoint) override { return 0; }
  int OnControlRButtonUp(UINT flags, CPoint pt) override;
  int OnControlScroll(int delta, UINT flags, CPoint pt) override;

 private:
  int ContentHeight() const { return GetItemCount() * m_row_height; }
  int RowAt(CPoint pt) const;
  void UpdateScrollBar();
  void OpenEditor();
  // Reads the editor back into the edited row; without `force` nothing
  // happens while the edited row is still selected.
  void CloseEditor(bool force, bool commit = true);

  std::vector<std::unique_ptr<RecordItem>> m_items;
  int m_hover = -1;
  int m_sel = -1;
  int m_edit_row = -1;
  int m_row_height = kDefaultRowHeight;
  MImageList* m_images = nullptr;
  ARGB m_select_color;
  ARGB m_hover_color;
  int m_edit_enabled = 1;
  std::unique_ptr<controls::InlineEditor> m_editor;
};
