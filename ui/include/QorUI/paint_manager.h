// PaintManager: the engine of one window. It owns the top-level controls,
// paints them into the window's back buffer on dirty rectangles, routes mouse
// and keys to them, keeps hover/press/capture/focus, runs control timers, and
// holds the window's image cache, background and overlay box.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "QorUI/brel_timer.h"
#include "QorUI/canvas.h"
#include "QorUI/control.h"
#include "QorUI/image.h"
#include "QorUI/messages.h"

class MWindow;
class MDialog;
class OverlayBox;
class TooltipWindow;

struct ImgResInfo {
  std::unique_ptr<Image> image;
  int frame_width = 0;  // image width divided by the frame count
  int frame_height = 0;
  int frames = 1;
  std::string name;
};

enum enumBackMode : int { BACK_MODE_NORMAL = 0, BACK_MODE_FRAME = 1 };
enum MsgLevel : int { MSG_LEVEL_INFO = 0, MSG_LEVEL_WARNING = 1, MSG_LEVEL_ERROR = 2 };

class PaintManager : public BrelTimer {
 public:
  PaintManager();
  ~PaintManager() override;

  // --- setup ---
  void Init(HWND hwnd, MWindow* owner);
  void DestroyData();
  bool IsInitialized() const { return m_initialized; }
  HWND GetPaintWnd() const { return m_hwnd; }
  MWindow* GetWindow() const { return m_window; }
  MDialog* GetMDialog() const;
  CRect GetClientRect() const;
  CRect GetWindowRect() const;
  CSize GetClientSize() const;
  void SetCaptionRect(CRect rect) { m_caption = rect; }
  CRect GetCaptionRect() const { return m_caption; }
  void SetWindowMaxSize(int cx, int cy) { m_max_size = CSize(cx, cy); }
  CSize GetWindowManSize() const { return m_max_size; }
  void SetWindowMixSize(int cx, int cy) { m_min_size = CSize(cx, cy); }
  CSize GetWindowMinSize() const { return m_min_size; }
  void SetLayeredWindow(int layered) { m_layered = layered; }
  int IsLayered() const { return m_layered; }
  void EnableWndDrag(int on) { m_wnd_drag = on; }
  int IsWndDrag() const { return m_wnd_drag; }
  void SetBackMode(enumBackMode mode, int corner);
  void SetBackColor(COLORREF back, COLORREF border);
  // The file is relative to the skin folder; 0 when it cannot be loaded.
  int LoadBKImage(const std::string& file);
  int LoadBKImage(UINT resource_id);
  void SetScrollResID(UINT vertical, UINT horizontal);
  UINT GetScrollVID() const { return m_scroll_v_id; }
  UINT GetScrollHID() const { return m_scroll_h_id; }
  COLORREF GetDefaultEnabledColor() const { return m_disabled_color; }
  void SetDefaultEnabledColor(COLORREF c) { m_disabled_color = c; }

  // --- control tree (the factory adds through CreateControl/CreateArea) ---
  MControl* CreateControl(MObject* parent, const char* class_name, UINT id, CRect rect,
                          const char* title, int visible, int enabled);
  MControl* CreateArea(MObject* parent, const char* class_name, UINT id, CRect rect,
                       const char* title, int visible, int enabled);
  // Takes a control into the control list (layer 1) or the area list (layer 0).
  MControl* AddControl(std::unique_ptr<MControl> control, int layer = 1);
  MControl* GetControl(UINT id) const;
  const MControl::ControlList& GetControls() const { return m_controls; }
  const MControl::ControlList& GetAreas() const { return m_areas; }
  int RemoveControl(MControl* control);
  void ClearAreaControls();
  void ClearControls();
  void ClearAllControls();
  // Destroys a detached control now, or after the event being dispatched.
  void DeferDelete(std::unique_ptr<MControl> control);
  // Forgets every reference to a control that is being destroyed.
  void ForgetControl(MControl* control);

  // --- repaint ---
  // Safe from any thread: off the UI thread the request is queued.
  LRESULT OnControlUpdate(CRect rect, int redraw, MControl* control);
  bool OnUiThread() const { return std::this_thread::get_id() == m_ui_thread; }
  // Safe from any thread. Replays `control`'s request on the UI thread, where
  // the walk up its parents happens; `rect` null means the control's own
  // rectangle then; `animated` replays UpdateAControl.
  void QueueUpdate(MControl* control, const CRect* rect, int redraw, int force,
                   bool animated = false);
  void Invalidate();
  void InvalidateRect(CRect rect, int erase = 0);
  const Canvas& GetBackBuffer() const { return m_back; }

  // --- focus, hover, capture ---
  void SetFocusControl(MControl* control);
  MControl* GetFocusControl() const { return m_focus; }
  MControl* GetHoverControl() const { return m_hover; }
  MControl* GetNextFocusableControl() const;
  MControl* GetPrevFocusableControl() const;
  void SetCapture();
  void ReleaseCapture();
  int IsCaptured() const { return m_captured; }
  void SetControlCursor(CursorKind cursor);
  // A native text field over this window (the edit control's); null without one.
  std::unique_ptr<TextEntry> CreateTextEntry();

  // --- timers ---
  int SetTimer(MControl* control, UINT key, UINT elapse_ms);
  int KillTimer(MControl* control, UINT key);
  int KillTimer(MControl* control);
  void ClearTimers();
  UINT SetMTimer(UINT period_ms);
  void KillMTimer(UINT id);
  void KillMTimer();
  int AddMTimer(MControl* control);
  int DeleteZynTimer(MControl* control);
  void OnMTimer(UINT id) override;
  using BrelTimer::OnMTimer;
  UINT GetMTimerID() const { return m_mtimer_id; }

  // --- resources ---
  // Cached by name: a second call returns the first record whatever the frames.
  ImgResInfo* AddImgResInfo(const std::string& file, int frames);
  ImgResInfo* AddImgResInfo(UINT resource_id, int frames);
  void ClearImgResInfo();
  // Registers a font file under a face; returns the family it resolves to.
  std::string AddTempFont(const std::string& face, const std::string& file);
  // The family text is drawn in: always the library-wide face.
  std::string FindTempFont(const std::string& face);
  void ClearTempFont();

  // --- tooltip and overlay ---
  void SetTooltip(const std::string& text, CRect rect);
  void ClearTooltip();
  void SetTooltipCtrlID(UINT id) { m_tooltip_owner = id; }
  UINT GetTooltipCtrlID() const { return m_tooltip_owner; }
  void SetMessage(const std::string& text, CRect rect, MsgLevel level);
  void SetProgress(int percent, const std::string& text, CRect rect);
  const OverlayBox& GetOverlay() const { return *m_overlay; }

  // --- window messages ---
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  int PreTranslateMessage(MSG* msg);
  void OnDestroyMessage(HWND hwnd);

 private:
  struct WindowTimer {
    UINT key;
    UINT id;
    bool killed;
    MControl* control;
  };
  struct PendingUpdate {
    MControl* control;
    CRect rect;
    bool whole;  // the control's rectangle at the time it is applied
    int redraw;
    int force;
    bool animated;
  };
  friend class OverlayBox;

  MControl* AddToLayer(std::unique_ptr<MControl> control, int layer);
  ImgResInfo* CacheImage(const std::string& key, std::unique_ptr<Image> image, int frames);
  void ApplyUpdate(CRect rect, int redraw, MControl* control);
  void ApplyPending(const PendingUpdate& p);
  void ApplyPendingUpdates();
  bool Contains(const MControl* control) const;
  const MControl* TopLevelOf(const MControl* control) const;
  void Paint(PaintRequest& request);
  void PaintBackground(const CRect& client);
  void FlushDeferred();

  LRESULT OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnMouseMove(UINT flags, CPoint pt);
  void OnMouseLeave();
  void OnLButtonDown(UINT flags, CPoint pt);
  void OnLButtonUp(UINT flags, CPoint pt);
  void OnButtonDblClk(UINT flags, CPoint pt, bool right);
  void OnRButtonDown(UINT flags, CPoint pt);
  void OnRButtonUp(UINT flags, CPoint pt);
  void OnMouseWheel(int delta, UINT flags, CPoint pt);
  void OnActivate(bool active);
  void OnKeyDown(UINT key, UINT repeat);
  bool OnTimerMessage(UINT id);
  MControl* HitTest(CPoint pt) const;
  bool TakesPress(MControl* hover, UINT flags, CPoint pt) const;

  // Window
  MWindow* m_window = nullptr;
  HWND m_hwnd = 0;
  bool m_initialized = false;
  std::thread::id m_ui_thread;
  CRect m_caption;
  CSize m_max_size, m_min_size;
  int m_layered = 0;
  int m_wnd_drag = 1;
  int m_active = 0;
  Canvas m_back;  // the window's back buffer

  // Background
  std::unique_ptr<Image> m_back_image;
  enumBackMode m_back_mode = BACK_MODE_NORMAL;
  int m_corner = 4;
  COLORREF m_back_color = 0x130D09;
  COLORREF m_border_color = 0x555028;

  // Controls
  MControl::ControlList m_areas;
  MControl::ControlList m_controls;
  MControl* m_hover = nullptr;
  MControl* m_focus = nullptr;
  UINT m_tooltip_owner = 0;
  COLORREF m_disabled_color = 0x808080;
  std::vector<std::unique_ptr<MControl>> m_deferred;  // removed during dispatch
  int m_dispatch_depth = 0;

  // Mouse
  bool m_tracking = false;
  bool m_left_pressed = false;
  bool m_right_pressed = false;
  bool m_dblclk_seen = false;
  int m_captured = 0;
  CPoint m_last_point;

  // Timers
  std::vector<WindowTimer> m_window_timers;
  UINT m_last_timer_id = 4096;
  std::vector<MControl*> m_mtimer_controls;
  UINT m_mtimer_id = 0;

  // Resources
  std::map<std::string, std::unique_ptr<ImgResInfo>> m_images;
  std::map<std::string, std::string> m_fonts;  // face -> family
  UINT m_scroll_v_id = 0;
  UINT m_scroll_h_id = 0;

  std::unique_ptr<OverlayBox> m_overlay;
  std::unique_ptr<TooltipWindow> m_tooltip;

  std::mutex m_pending_lock;  // guards m_pending (requests from other threads)
  std::vector<PendingUpdate> m_pending;
};
