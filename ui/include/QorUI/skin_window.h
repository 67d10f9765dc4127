// MSkinWindow: what every window drawn by the library shares — the embedded
// paint manager, the message pipeline with its hooks, creation and layout,
// and access to the control tree. MDialog, MPopupWnd and MenuWnd build on it.
#pragma once

#include <string>

#include "QorUI/object.h"
#include "QorUI/paint_manager.h"
#include "QorUI/window.h"

class MSkinWindow : public MWindow, public MObject {
 public:
  MSkinWindow();
  ~MSkinWindow() override;

  // MObject side: notifications go to OnMessage, repaints to the painter.
  LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override {
    return OnMessage(id, code, wParam, lParam);
  }
  LRESULT OnControlUpdate(CRect rect, int redraw, MControl* control) override {
    return m_pm.OnControlUpdate(rect, redraw, control);
  }

  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int PreTranslateMessage(MSG* msg) override { return m_pm.PreTranslateMessage(msg); }
  int OnInitDialog() override;
  void OnDestroyMessage(HWND hwnd) override;

  // --- hooks for subclasses ---
  virtual void InitUI(CRect /*client*/) {}
  virtual void UISize(CRect /*client*/) {}
  virtual LRESULT OnMessage(UINT /*id*/, UINT /*code*/, WPARAM, LPARAM) { return 0; }
  // Message 1090: posts WM_CLOSE with the same parameters.
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnCreate();
  virtual LRESULT OnSize(UINT type, int cx, int cy);
  virtual LRESULT OnMouseMove(UINT /*flags*/, CPoint) { return 0; }
  virtual LRESULT OnMouseLeave(UINT /*flags*/, LPARAM) { return 0; }
  virtual LRESULT OnMouseHover(UINT /*flags*/, LPARAM) { return 0; }
  virtual LRESULT OnMouseWheel(UINT /*flags*/, short /*delta*/, CPoint) { return 0; }
  virtual LRESULT OnLButtonDown(UINT /*flags*/, CPoint) { return 0; }
  virtual LRESULT OnLButtonUp(UINT /*flags*/, CPoint) { return 0; }
  virtual LRESULT OnLButtonDblClk(UINT /*flags*/, CPoint) { return 0; }
  virtual LRESULT OnRButtonDown(UINT /*flags*/, CPoint) { return 0; }
  virtual LRESULT OnRButtonUp(UINT /*flags*/, CPoint) { return 0; }
  virtual LRESULT OnRButtonDblClk(UINT /*flags*/, CPoint) { return 0; }
  virtual LRESULT OnKeyDown(UINT /*key*/, UINT /*repeat*/, UINT /*flags*/) { return 0; }
  virtual LRESULT OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
  virtual LRESULT OnNcActivate(int /*active*/) { return 0; }
  virtual LRESULT OnWindowPosChanging() { return 1; }
  virtual LRESULT OnWindowPosChanged() { return 0; }
  virtual LRESULT OnPaint() { return 0; }
  virtual LRESULT OnTimer(UINT /*id*/) { return 0; }
  // Returning 0 keeps the window open (the close is intercepted).
  virtual LRESULT OnClose() { return 1; }
  virtual LRESULT OnDestroy() { return 0; }
  virtual void PostNcDestroy() {}

  // --- controls ---
  MControl* CreateControl(const char* class_name, UINT id, CRect rect, const char* title = "",
                          int visible = 1, int enabled = 1);
  MControl* CreateArea(const char* class_name, UINT id, CRect rect, const char* title = "",
                       int visible = 1, int enabled = 1);
  // Takes a control constructed by the caller (parent: this window).
  MControl* AddControl(std::unique_ptr<MControl> control, int layer = 1);
  MControl* GetControl(UINT id) const { return m_pm.GetControl(id); }
  const MControl::ControlList& GetControls() const { return m_pm.GetControls(); }
  void SetFocusControl(MControl* control);
  UINT SetMTimer(UINT period_ms) { return m_pm.SetMTimer(period_ms); }
  void KillMTimer(UINT id) { m_pm.KillMTimer(id); }
  int LoadBKImage(const std::string& file) { return m_pm.LoadBKImage(file); }
  int LoadBKImage(UINT resource_id) { return m_pm.LoadBKImage(resource_id); }
  void SetBackMode(enumBackMode mode, int corner) { m_pm.SetBackMode(mode, corner); }
  void SetBackColor(COLORREF back, COLORREF border) { m_pm.SetBackColor(back, border); }
  // Also gives a window not shown yet its per-pixel alpha (dialogs call it in InitUI).
  void SetLayeredWindow(int layered);
  void EnableWndDrag(int on) { m_pm.EnableWndDrag(on); }
  void SetScrollResID(UINT vertical, UINT horizontal) { m_pm.SetScrollResID(vertical, horizontal); }
  void SetMessage(const std::string& text, CRect rect, MsgLevel level);
  void SetProgress(int percent, const std::string& text, CRect rect) {
    m_pm.SetProgress(percent, text, rect);
  }
  void SetTooltip(const std::string& text, CRect rect) { m_pm.SetTooltip(text, rect); }
  void ClearTooltip() { m_pm.ClearTooltip(); }
  void SetTooltipCtrlID(UINT id) { m_pm.SetTooltipCtrlID(id); }
  UINT GetTooltipCtrlID() const { return m_pm.GetTooltipCtrlID(); }
  void SetMessageShift(int dy) { m_message_shift = dy; }
  void SetColorKey(COLORREF key) { m_color_key = key; }
  void SetWindowAlpha(BYTE alpha) { m_alpha = alpha; }

  PaintManager& GetPaintManager() { return m_pm; }
  const PaintManager& GetPaintManager() const { return m_pm; }

 protected:
  PaintManager m_pm;
  CRect m_client;
  COLORREF m_color_key = 0xFFFFFF;  // none
  BYTE m_alpha = 255;               // opaque
  int m_message_shift = 0;
};
