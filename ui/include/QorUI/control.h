// MControl: a windowless control owning a rectangle of its window. Controls
// form a tree (area children beneath, control children above), route mouse
// and key events down the tree, report upward, and render into state caches.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/canvas.h"
#include "QorUI/host.h"
#include "QorUI/object.h"

class PaintManager;

// A position rule: mode 0 from an edge, 1 from the centre, 2 a percentage.
struct ZYN_POSITION_ITEM {
  int mode = 0;
  int from_end = 0;
  float value = 0;
};

// Cursor names accepted by SetCursorEx.
inline constexpr const char* kCursorArrow = "arrow";
inline constexpr const char* kCursorWait = "wait";
inline constexpr const char* kCursorCross = "cross";
inline constexpr const char* kCursorSizeWE = "sizewe";
inline constexpr const char* kCursorSizeNS = "sizens";
inline constexpr const char* kCursorHand = "hand";
inline constexpr const char* kCursorHelp = "help";

class MControl : public MObject {
 public:
  using ControlList = std::vector<std::unique_ptr<MControl>>;

  MControl(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1,
           int response = 1);
  ~MControl() override;
  MControl(const MControl&) = delete;
  MControl& operator=(const MControl&) = delete;

  const char* GetClassNameW() const override { return "ZynControl"; }
  // Forwards a child's request to this control's own parent.
  LRESULT OnControlUpdate(CRect rect, int redraw, MControl* control) override;

  // --- overridable behaviour ---
  virtual void InitControl(PaintManager* manager);
  virtual int PtInRect(CPoint pt);
  virtual void DrawControl(Canvas& dc, const CRect& dirty) = 0;
  virtual int DrawSubControls(Canvas& dc, const CRect& dirty);
  virtual int IsDraw(CPoint pt);
  virtual void SetUpdate(int valid, DWORD color = 0);
  virtual int SetControlFocus(int focus);
  virtual void InitUI(CRect rect);
  virtual int OnMousePointChange(CPoint& pt);
  virtual int OnCheckMouseResponse(UINT flags, CPoint pt);
  virtual LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
  virtual void SetControlRect(CRect rect);
  virtual void SetControlVisible(int visible);
  virtual void SetControlWndVisible(int visible);
  virtual void SetControlEnabled(int enabled);
  virtual int OnControlTimer();
  virtual int OnControlMouseMove(UINT flags, CPoint pt);
  virtual int OnControlSetCursor(UINT flags, CPoint pt);
  virtual int OnControlLButtonDown(UINT flags, CPoint pt);
  virtual int OnControlLButtonUp(UINT flags, CPoint pt);
  virtual int OnControlLButtonDblClk(UINT flags, CPoint pt);
  virtual int OnControlScroll(int delta, UINT flags, CPoint pt);
  virtual int OnControlRButtonDown(UINT flags, CPoint pt);
  virtual int OnControlRButtonUp(UINT flags, CPoint pt);
  virtual int OnControlRButtonDblClk(UINT flags, CPoint pt);
  virtual int OnControlKeyDown(UINT key, UINT repeat, UINT flags);
  virtual void OnPositionChange();
  // Invalidates the control's rectangle in the window without a cache change.
  virtual void InvalidateRect(const CRect* rect = nullptr, int erase = 0);

  // --- identity and tree ---
  UINT GetControlID() const { return m_id; }
  MObject* GetParantObject() const { return m_parent; }
  void SetParent(MObject* parent) { m_parent = parent; }
  PaintManager* GetManager() const { return m_manager; }
  void SetManager(PaintManager* manager);
  const ControlList& GetControls() const { return m_controls; }
  const ControlList& GetAreas() const { return m_areas; }
  // Depth first: each control child and its subtree, then the area children.
  MControl* GetControl(UINT id) const;
  // Takes a child into the control list (layer 1) or the area list (layer 0).
  MControl* AddChild(std::unique_ptr<MControl> child, int layer = 1);
  // Destroys the child (deferred while the window is dispatching an event).
  int RemoveControl(MControl* child);
  void RemoveAllControl();

  // --- geometry and visibility ---
  const CRect& GetRect() const { return m_rect; }
  void SetRect(CRect rect);
  void SetRect(int x, int y, int cx, int cy);
  void SetVisible(int visible);
  void SetVisible(int visible, int repaint);
  int IsVisible() const { return m_visible; }
  int IsEnabled() const { return m_enabled; }
  void SetEnabled(int enabled);
  int IsParentVisible() const;

  // --- repaint and caches ---
  void UpdateControl(int redraw = 0, int force = 0);
  void UpdateControl(CRect rect, int redraw, int force);
  void UpdateAControl(int redraw = 0, int force = 0);
  // Marks the cache valid and makes it cx × cy (cleared) when the size changed.
  Canvas& UpdateMemDC(Canvas& target, int cx, int cy);
  Canvas& UpdateAnimateDC(Canvas& target, int cx, int cy);
  Canvas& GetMemDC() { return m_cache; }
  Canvas& GetAnimateDC() { return m_anim_cache; }
  int GetUpdate() const { return m_cache_valid; }
  int IsAnimate() const { return m_animate; }

  // --- events from the parent ---
  int OnMouseMove(UINT flags, CPoint pt);
  int OnLButtonDown(UINT flags, CPoint pt);
  int OnLButtonUp(UINT flags, CPoint pt);
  int OnLButtonDblClk(UINT flags, CPoint pt);
  int OnRButtonDown(UINT flags, CPoint pt);
  int OnRButtonUp(UINT flags, CPoint pt);
  int OnRButtonDblClk(UINT flags, CPoint pt);
  int OnScroll(int delta, UINT flags, CPoint pt);
  int OnKeyDown(UINT key, UINT repeat, UINT flags);
  int OnKeyUp(UINT /*key*/, UINT /*repeat*/, UINT /*flags*/) { return 0; }
  int OnTimer();
  int OnFocus(int focus) { return SetControlFocus(focus); }
  void Draw(Canvas& dc, const CRect& dirty);

  // Reports `code` to the parent with this control's id.
  LRESULT SendMessageW(UINT code, WPARAM wParam = 0, LPARAM lParam = 0);

  // --- tooltip, cursor, timers ---
  void SetTooltip(const std::string& text) { m_tooltip = text; }
  void SetTooltip(const std::string& text, CRect rect);
  void ClearTooltip();
  const std::string& GetTooltip() const { return m_tooltip; }
  void SetTooltipCtrlID(UINT) {}
  UINT GetTooltipCtrlID() const { return 0; }
  // Known names ("arrow", "hand", ...) select a cursor; others change nothing.
  int SetCursorEx(const char* name);
  int AddMTimer();
  void SetRunTimer(int run) { m_run_timer = run; }
  int IsRunTimer() const { return m_run_timer; }

  // --- flags ---
  void SetDragDrop(int on) { m_drag_drop = on; }
  int IsDragDrop() const { return m_drag_drop; }
  void SetTabStop(int on) { m_tab_stop = on; }
  int IsTabStop() const { return m_tab_stop; }
  void SetRresponse(int on) { m_response = on; }
  int GetRresponse() const { return m_response; }
  void SetDblClk(int on) { m_dblclk = on; }
  int GetDblClk() const { return m_dblclk; }
  void SetDblClkNotify(int on) { m_dblclk_notify = on; }
  void SetAccelerator(UINT key, UINT flags) {
    m_accel_key = key;
    m_accel_flags = flags;
  }
  int IsFocused() const { return m_focused; }
  int IsFocusControl() const;
  int IsKeyDown() const { return m_key_down; }
  void UseImageECM(int on) { m_image_ecm = on; }
  int IsMouseOutside() const { return m_mouse_outside; }
  void SetHoverTracking(int on) { m_hover_tracking = on; }
  MControl* GetActiveChild() const { return m_active; }
  MControl* GetFocusControl() const { return nullptr; }
  MControl* GetNextFocusableControl() const { return nullptr; }
  MControl* GetPrevFocusableControl() const { return nullptr; }

  static int PositionItem2Value(const ZYN_POSITION_ITEM& item, int low, int high);

 protected:
  // Events forwarded to children: ids 1 and 2 (container scroll bars) get the
  // point before OnMousePointChange, the others after.
  CPoint PointFor(const MControl& child, CPoint raw, CPoint translated) const;
  void SetFocusedFlag(int focused) { m_focused = focused; }
  void SetKeyDownFlag(int down) { m_key_down = down; }
  void MoveFocusHere();
  bool Accepts(const MControl& child, CPoint pt) const;

  MObject* m_parent;
  PaintManager* m_manager = nullptr;
  UINT m_id;
  CRect m_rect;
  int m_visible;
  int m_enabled;
  int m_drag_drop = 0;
  int m_response;
  int m_tab_stop = 0;
  int m_dblclk = 0;
  int m_pressed_inside = 0;
  int m_key_down = 0;
  int m_focused = 0;
  UINT m_accel_key = 0;
  UINT m_accel_flags = 0;
  int m_cache_valid = 0;
  int m_animate = 0;
  int m_run_timer = 0;
  int m_image_ecm = 0;
  ControlList m_areas;
  ControlList m_controls;
  MControl* m_active = nullptr;
  Canvas m_cache;
  Canvas m_anim_cache;
  std::string m_tooltip;
  bool m_has_cursor = false;
  CursorKind m_cursor = CursorKind::kArrow;
  int m_dblclk_notify = 0;
  int m_mouse_outside = 1;
  int m_hover_tracking = 1;

 private:
  // Where a key pressed while this control has the key route goes: the
  // deepest focused control of its subtree, or itself.
  MControl* FocusedDescendant();
  template <typename Fn>
  int RouteButtonDown(UINT flags, CPoint pt, Fn&& own);
  template <typename Fn>
  int RouteButtonUp(UINT flags, CPoint pt, Fn&& own);
  template <typename Down, typename Dbl, typename Own>
  int RouteDoubleClick(UINT flags, CPoint pt, Down&& as_press, Dbl&& child_dbl, Own&& own);
};
