// MPanel: a container control. Its children report through it to its parent
// with their own ids; with a virtual size larger than itself it scrolls its
// content (scroll bars are its children 1 and 2).
#pragma once

#include "QorUI/control_font.h"
#include "QorUI/scroll_bar.h"

class MPanel : public MControlFont {
 public:
  static constexpr int kScrollThickness = 7;

  MPanel(MObject* parent, UINT id, CRect rect, int visible = 1);

  // The container's factory (names of the panel table).
  virtual MControl* CreateArea(const char* class_name, UINT id, CRect rect, const char* title = "",
                               int visible = 1, int enabled = 1);
  virtual MControl* CreateControl(UINT layer, MObject* parent, const char* class_name, UINT id,
                                  CRect rect, const char* title, int visible, int enabled);
  virtual MControl* CreateControl(const char* class_name, UINT id, CRect rect,
                                  const char* title = "", int visible = 1, int enabled = 1);
  virtual int OnControlKeyUp(UINT, UINT, UINT) { return 0; }

  LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnControlUpdate(CRect rect, int redraw, MControl* control) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void InitControl(PaintManager* manager) override;
  void DrawControl(Canvas&, const CRect&) override {}
  int DrawSubControls(Canvas& dc, const CRect& dirty) override;
  void SetUpdate(int valid, DWORD color = 0) override;
  int OnMousePointChange(CPoint& pt) override;
  int OnCheckMouseResponse(UINT, CPoint) override { return 1; }
  void SetControlRect(CRect rect) override;
  void SetControlVisible(int visible) override;
  void SetControlWndVisible(int visible) override;
  int OnControlScroll(int delta, UINT flags, CPoint pt) override;

  CScrollVertical* GetScrollVertical() const { return m_vscroll; }
  CScrollHorizontal* GetScrollHorizontal() const { return m_hscroll; }
  // Take effect at the next placement (SetRect).
  void SetVirtualHeight(int height) { m_pending_height = height; }
  void SetVirtualWidth(int width) { m_pending_width = width; }
  int GetVirtualHeight() const { return m_virtual_height; }
  int GetVirtualWidth() const { return m_virtual_width; }
  void SetEnableScroll(int on) { m_enable_scroll = on; }
  int GetEnableScroll() const { return m_enable_scroll; }
  // The content offset the scroll positions give (0, 0 when not scrolling).
  CPoint GetScrollOffset() const;
  bool IsScrolling() const;

 private:
  CScrollVertical* m_vscroll;
  CScrollHorizontal* m_hscroll;
  int m_enable_scroll = 1;
  int m_virtual_height = 0;
  int m_virtual_width = 0;
  int m_pending_height = 0;
  int m_pending_width = 0;
  Canvas m_content;  // scrolled children are drawn here, then copied in
};

// A page of a tab control: draws nothing itself and takes a press only where
// one of its children is, so empty parts of a page drag the window.
class MTabLayout : public MPanel {
 public:
  MTabLayout(MObject* parent, UINT id, CRect rect, int visible = 1);
  int OnCheckMouseResponse(UINT flags, CPoint pt) override;
};
