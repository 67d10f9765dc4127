// MComboBox and its drop-down: the face shows the selected item; a release
// over it opens a popup window (CComboBoxWnd) holding the item list
// (CComboBoxList), five rows high at most, below the combo or above it when
// the work area ends. Picking an item reports 2 (index / 0) to the owner.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/control_font.h"
#include "QorUI/image.h"
#include "QorUI/panel.h"
#include "QorUI/popup_wnd.h"

class CComboBoxWnd;

struct ComboItem {
  std::string text;
  long data = 0;
  std::string icon_file;
  std::unique_ptr<Image> icon;
  ARGB color = 0;  // 0: the combo's text colour
};

class MComboBox : public MControlFont {
 public:
  static constexpr int kRowHeight = 30;
  static constexpr int kMaxRows = 5;
  static constexpr int kPopupMargin = 6;  // above and below the rows
  static constexpr ARGB kDisabledText = 0xFF808080;

  MComboBox(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);
  ~MComboBox() override;

  int AddItem(const char* text, long data = 0, const char* icon = "", ARGB color = 0);
  // Out-of-range positions append.
  int InsertItem(int index, const char* text, long data = 0, const char* icon = "", ARGB color = 0);
  int DeleteItem(int index);
  void DelAllItems();
  int GetCount() const { return static_cast<int>(m_items.size()); }
  const ComboItem* GetItem(int index) const;

  // -1 selects nothing; an index out of range gives 0 and changes nothing.
  int SetCurSel(int index);
  int GetCurSel() const { return m_sel; }
  // Data of the selected item; 0 when nothing is selected.
  long GetCurData() const;
  long GetItemData(int index) const;
  int SetItemData(int index, long data);
  int SetItemText(int index, const std::string& text);
  std::string GetItemText(int index) const;
  // The first item with that data, -1 when none.
  int FindData(long data) const;
  // 1 when an item has the data (the first such is selected), else 0.
  int SelectData(long data);
  // Relative to the control; empty: inset 6 left, top and bottom, 30 right.
  void SetTextRect(CRect rect);

  // The drop-down's rectangle in screen coordinates for the current items.
  CRect GetDropDownRect() const;
  void ShowDropDown();
  void CloseDropDown();
  bool IsDropDownOpen() const { return m_open; }
  CComboBoxWnd* GetDropDown() const { return m_popup.get(); }

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  void SetControlVisible(int visible) override;

 private:
  friend class CComboBoxWnd;
  void OnItemPicked(int index);
  void OnDropDownClosed();
  CRect TextBox() const;

  std::vector<ComboItem> m_items;
  int m_sel = -1;
  CRect m_text_rect;
  int m_hover = 0;
  bool m_open = false;
  bool m_open_at_press = false;
  std::unique_ptr<CComboBoxWnd> m_popup;
};

// The rows of the drop-down: the hover row is highlighted in the selection
// colour, the wheel scrolls by a row, a release over a row reports 2 with
// the row's index and lParam 19.
class CComboBoxList : public MPanel {
 public:
  static constexpr LPARAM kPickedCode = 19;
  static constexpr int kTextInset = 10;

  CComboBoxList(MObject* parent, UINT id, CRect rect, int visible = 1);

  void SetSource(const MComboBox* combo);
  int GetTopIndex() const { return m_top; }
  int GetHoverIndex() const { return m_hover; }

  void InitControl(PaintManager* manager) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  void SetControlRect(CRect rect) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlScroll(int delta, UINT flags, CPoint pt) override;

 private:
  int Count() const { return m_combo ? m_combo->GetCount() : 0; }
  int VisibleRows() const;
  int RowAt(CPoint pt) const;
  void SetTop(int top);
  void UpdateBar();

  const MComboBox* m_combo = nullptr;
  int m_top = 0;
  int m_hover = -1;
};

// The popup window of the drop-down ("ComboWnd", a tool window that closes
// when it loses the activation).
class CComboBoxWnd : public MPopupWnd {
 public:
  explicit CComboBoxWnd(MComboBox* combo) : m_combo(combo) {}

  const char* GetWindowClassName() const override { return "ComboWnd"; }
  void InitUI(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  CComboBoxList* GetList() const { return m_list; }
  // The combo is going away: the popup reports to nobody.
  void Detach() { m_combo = nullptr; }

 private:
  MComboBox* m_combo;
  CComboBoxList* m_list = nullptr;
};
