// KeyboardCtrl: the picture of the keyboard with one rectangle per key laid
// over it, shown in five modes (key map, key selection, lighting preview,
// per-key colours, music lighting). Clicks report the key's index and value.
//
// Notifications: 2 on a left release inside (index or -1 / key value or 0),
// 5 on a right release (key under the pointer), 24 on a right release that
// ends a selection band, 14 for keys (from the control model).
//
// The control lives on the UI thread: the animation tick is a UI-thread
// timer, so the key list needs no lock of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/image.h"
#include "QorUI/panel.h"

class CKeyboardTips;

struct KEY_INFO {
  int index = 0;
  DWORD key_value = 0;
  std::string name;       // label drawn on the key
  std::string text;       // first string of the key's tip
  std::string tip_title;  // SetTipKey
  std::string tip_text;
  CRect rect;  // relative to the picture's top-left
  int check = 0;
  COLORREF color = KEY_INFO::kDefaultColor;
  std::unique_ptr<Image> icon;
  int icon_width = 0;
  int icon_height = 0;

  static constexpr COLORREF kDefaultColor = 0x00E1FF;
};

enum KeyboardCtrlMode : int {
  kModeKeyMap = 100,
  kModeKeySelect = 101,
  kModeLightPreview = 102,
  kModeCustomColor = 103,
  kModeMusic = 104,
};

class KeyboardCtrl : public MPanel {
 public:
  static constexpr int kOutlineDivisor = 12;
  static constexpr float kOutlineWidth = 2.0f;
  static constexpr ARGB kKeyFill = 0xFF007ACC;
  static constexpr ARGB kSelectOutline = 0xFFFF7D00;
  static constexpr ARGB kBandColor = 0xFF4CFF29;
  static constexpr ARGB kLabelColor = 0xFFFFFFFF;
  static constexpr ARGB kLabelShadow = 0xFF505050;
  static constexpr int kBandStep = 20;    // a band follows moves farther than this
  static constexpr int kBandMinimum = 6;  // a thinner band checks nothing
  static constexpr int kIconLift = 20;    // icon top above the key's bottom edge

  KeyboardCtrl(MObject* parent, UINT id, CRect rect, int visible = 1);
  ~KeyboardCtrl() override;

  // --- keys ---
  // Appends a key (tip strings empty, check 0, colour 0x00E1FF); the icon, a
  // skin file or empty, is loaded with it. Returns the new key's index.
  int AddKeyItem(const std::string& name, const std::string& text, DWORD key_value, CRect rect,
                 const std::string& icon);
  // Removes every key; no repaint.
  void ClearItem();
  // The records stay owned by the control.
  std::vector<KEY_INFO*> GetKeyItems() const;
  int GetKeyCount() const { return static_cast<int>(m_keys.size()); }
  // These act on the first key with the value and do not repaint.
  void SetKeyColor(DWORD key, COLORREF color);
  void SetKeyCheck(DWORD key, int check);
  // 0 when no key has the value.
  COLORREF GetKeyColor(DWORD key) const;
  // Replaces both the label and the tip text of the key.
  void SetKeyDesc(DWORD key, const std::string& desc);
  void SetTipKey(DWORD key, const std::string& title, const std::string& text);
  void ResetTipKey();
  void ResetAllItemCheck() { ResetAllItemCheck(0); }
  void ResetAllItemCheck(int value);
  void ResetAllItemsColor(COLORREF color);
  // The selected key and every checked key.
  void SetAllSelectColor(COLORREF color);
  void SetSelectItem(int index) { m_selected = index; }
  int GetSelectItem() const { return m_selected; }
  int GetHoverItem() const { return m_hover; }
  int GetCheckItemCount() const;
  DWORD GetCurrentKeyValue() const { return m_current_key; }

  // --- display ---
  // From the skin folder; replaces the previous picture.
  void SetKeyboardImage(const std::string& file);
  // Picture size; centres it horizontally at the top of the control.
  void SetWidthAndHeight(int width, int height);
  CPoint GetPictureOrigin() const { return m_origin; }
  CSize GetPictureSize() const { return m_picture_size; }
  double GetScale() const { return m_scale; }
  void SetKeyboardCtrlMode(int mode);
  int GetKeyboardCtrlMode() const { return m_mode; }
  // Every key white (white nonzero) or the colour.
  void SetLightModeColor(int white, COLORREF color);
  // Ticks per frame: 5, 4, 3, 2 for speed 0..3, else 1.
  void SetLightSpeed(int speed);
  int GetTicksPerFrame() const { return m_ticks_per_frame; }
  // Brightness frames, one byte per key and frame; frames = len / keys.
  void SetLightModeData(const BYTE* data, int len);
  int GetFrameCount() const { return m_frame_count; }
  int GetFrameIndex() const { return m_frame_index; }
  // The colour a mode-103 click gives a key whose colour is 0.
  void SetCustomColor(COLORREF color) { m_custom_color = color; }
  void SetMusicBrightness(int brightness);
  void EnableKBTips(bool on) { m_tips_enabled = on; }
  void EnableFrameSelect(int on) { m_frame_select = on; }
  bool IsBandShown() const { return m_band_shown; }
  CRect GetBandRect() const;
  // The key's rectangle in window coordinates.
  CRect GetKeyWindowRect(const KEY_INFO& key) const;
  CKeyboardTips* GetTipsWindow() const { return m_tips.get(); }

  void InitControl(PaintManager* manager) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;
  void SetControlRect(CRect rect) override;
  int OnControlTimer() override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;
  int OnControlLButtonUp(UINT flags, CPoint pt) override;
  int OnControlRButtonDown(UINT flags, CPoint pt) override;
  int OnControlRButtonUp(UINT flags, CPoint pt) override;

 private:
  KEY_INFO* Find(DWORD key) const;
  int KeyAt(CPoint pt) const;
  void CenterPicture();
  void Repaint();
  void RepaintUnlessTimed();
  void UpdateBand(CPoint pt);
  void HideBand();
  void ClearBand();
  void ShowTip(const KEY_INFO& key);
  void HideTip();
  void RenderKeys(Canvas& mem) const;
  void DrawLabel(Canvas& mem, const KEY_INFO& key, const CRect& box) const;
  void DrawBand(Canvas& dc) const;

  std::vector<std::unique_ptr<KEY_INFO>> m_keys;
  int m_hover = -1;
  int m_selected = -1;
  std::unique_ptr<Image> m_picture;
  int m_mode = kModeKeyMap;
  CPoint m_origin{6, 6};
  CSize m_picture_size;
  double m_scale = 1.0;
  std::vector<BYTE> m_light;
  int m_frame_index = 0;
  int m_frame_count = 0;
  int m_ticks = 0;
  int m_ticks_per_frame = 0;
  int m_music_brightness = 255;
  COLORREF m_custom_color = 255;
  DWORD m_current_key = 0;
  bool m_tips_enabled = false;
  int m_frame_select = 0;
  bool m_band_tracking = false;  // a button went down inside: moves may draw a band
  bool m_band_shown = false;
  CPoint m_band_start;
  CPoint m_band_end;
  bool m_timer_driven = false;
  std::unique_ptr<CKeyboardTips> m_tips;
};
