// KeyboardCtrl: the key list, display settings, the animation tick, and the
// mouse rules (hover with tips, clicks, the rubber band). Drawing is in
// keyboard_ctrl_draw.cpp.
#include "QorUI/keyboard_ctrl.h"

#include <algorithm>
#include <cstdlib>

#include "QorUI/paint_manager.h"
#include "QorUI/window.h"
#include "controls/control_helpers.h"
#include "controls/keyboard_tips.h"

KeyboardCtrl::KeyboardCtrl(MObject* parent, UINT id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible) {}

KeyboardCtrl::~KeyboardCtrl() = default;

void KeyboardCtrl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (!manager) return;
  manager->DeleteZynTimer(this);  // registered once, however often the painter is set
  AddMTimer();
  SetControlRect(m_rect);
}

// --- keys ---

int KeyboardCtrl::AddKeyItem(const std::string& name, const std::string& text, DWORD key_value,
                             CRect rect, const std::string& icon) {
  auto key = std::make_unique<KEY_INFO>();
  key->index = GetKeyCount();
  key->key_value = key_value;
  key->name = name;
  key->text = text;
  key->rect = rect;
  key->icon = controls::LoadSkinImage(icon);
  if (key->icon) {
    key->icon_width = key->icon->Width();
    key->icon_height = key->icon->Height();
  }
  m_keys.push_back(std::move(key));
  return m_keys.back()->index;
}

void KeyboardCtrl::ClearItem() {
  m_keys.clear();
  m_hover = m_selected = -1;
}

std::vector<KEY_INFO*> KeyboardCtrl::GetKeyItems() const {
  std::vector<KEY_INFO*> out;
  out.reserve(m_keys.size());
  for (auto& k : m_keys) out.push_back(k.get());
  return out;
}

KEY_INFO* KeyboardCtrl::Find(DWORD key) const {
  for (auto& k : m_keys)
    if (k->key_value == key) return k.get();
  return nullptr;
}

void KeyboardCtrl::SetKeyColor(DWORD key, COLORREF color) {
  if (KEY_INFO* k = Find(key)) k->color = color;
}

void KeyboardCtrl::SetKeyCheck(DWORD key, int check) {
  if (KEY_INFO* k = Find(key)) k->check = check;
}

COLORREF KeyboardCtrl::GetKeyColor(DWORD key) const {
  const KEY_INFO* k = Find(key);
  return k ? k->color : 0;
}

void KeyboardCtrl::SetKeyDesc(DWORD key, const std::string& desc) {
  if (KEY_INFO* k = Find(key)) k->name = k->text = desc;
}

void KeyboardCtrl::SetTipKey(DWORD key, const std::string& title, const std::string& text) {
  if (KEY_INFO* k = Find(key)) {
    k->tip_title = title;
    k->tip_text = text;
  }
}

void KeyboardCtrl::ResetTipKey() {
  for (auto& k : m_keys) {
    k->tip_title.clear();
    k->tip_text.clear();
  }
}

void KeyboardCtrl::ResetAllItemCheck(int value) {
  for (auto& k : m_keys) k->check = value;
  m_selected = -1;
  Repaint();
}

void KeyboardCtrl::ResetAllItemsColor(COLORREF color) {
  for (auto& k : m_keys) k->color = color;
  Repaint();
}

void KeyboardCtrl::SetAllSelectColor(COLORREF color) {
  for (int i = 0; i < GetKeyCount(); ++i)
    if (i == m_selected || m_keys[i]->check) m_keys[i]->color = color;
  Repaint();
}

int KeyboardCtrl::GetCheckItemCount() const {
  return static_cast<int>(
      std::count_if(m_keys.begin(), m_keys.end(), [](auto& k) { return k->check != 0; }));
}

// --- display ---

void KeyboardCtrl::SetKeyboardImage(const std::string& file) {
  m_picture = controls::LoadSkinImage(file);
  Repaint();
}

void KeyboardCtrl::CenterPicture() {
  m_scale = 1.0;
  m_origin = CPoint((m_rect.Width() - m_picture_size.cx) / 2, 0);
}

void KeyboardCtrl::SetWidthAndHeight(int width, int height) {
  m_picture_size = CSize(width, height);
  if (!m_rect.IsRectEmpty()) CenterPicture();
  Repaint();
}

void KeyboardCtrl::SetControlRect(CRect rect) {
  MPanel::SetControlRect(rect);
  if (!rect.IsRectEmpty() && m_picture_size.cy > 0) CenterPicture();
  Repaint();
}

void KeyboardCtrl::SetKeyboardCtrlMode(int mode) {
  m_mode = mode;
  Repaint();
}

void KeyboardCtrl::SetLightModeColor(int white, COLORREF color) {
  for (auto& k : m_keys) k->color = white ? 0xFFFFFF : color;
  Repaint();
}

void KeyboardCtrl::SetLightSpeed(int speed) {
  m_ticks_per_frame = speed >= 0 && speed <= 3 ? 5 - speed : 1;
}

void KeyboardCtrl::SetLightModeData(const BYTE* data, int len) {
  if (data && len > 0)
    m_light.assign(data, data + len);
  else
    m_light.clear();
  m_frame_index = 0;
  m_ticks = 0;
  m_frame_count = m_keys.empty() ? 0 : static_cast<int>(m_light.size() / m_keys.size());
  Repaint();
}

void KeyboardCtrl::SetMusicBrightness(int brightness) {
  if (brightness == m_music_brightness) return;
  for (auto& k : m_keys) k->color = 0xFFFF00;
  m_music_brightness = brightness;
  Repaint();
}

void KeyboardCtrl::Repaint() {
  UpdateControl(1);
}

void KeyboardCtrl::RepaintUnlessTimed() {
  if (!m_timer_driven) Repaint();
}

// The animation redraws on its own, so while it runs hover and clicks leave
// the repaint to it. Otherwise they repaint themselves; a tick that does not
// animate never silences them.
int KeyboardCtrl::OnControlTimer() {
  m_timer_driven = m_visible && m_mode == kModeLightPreview && m_frame_count > 0;
  if (!m_timer_driven) return 0;
  if (++m_ticks < m_ticks_per_frame) return 0;
  m_ticks = 0;
  m_frame_index = (m_frame_index + 1) % m_frame_count;
  Repaint();
  return 1;
}

// --- geometry and mouse ---

CRect KeyboardCtrl::GetKeyWindowRect(const KEY_INFO& key) const {
  CRect r = key.rect;
  r.OffsetRect(m_origin + m_rect.TopLeft());
  return r;
}

int KeyboardCtrl::KeyAt(CPoint pt) const {
  for (int i = 0; i < GetKeyCount(); ++i)
    if (GetKeyWindowRect(*m_keys[i]).PtInRect(pt)) return i;
  return -1;
}

CRect KeyboardCtrl::GetBandRect() const {
  return CRect(std::min(m_band_start.x, m_band_end.x), std::min(m_band_start.y, m_band_end.y),
               std::max(m_band_start.x, m_band_end.x), std::max(m_band_start.y, m_band_end.y));
}

void KeyboardCtrl::UpdateBand(CPoint pt) {
  if (std::abs(pt.x - m_band_end.x) <= kBandStep && std::abs(pt.y - m_band_end.y) <= kBandStep)
    return;
  m_band_end = pt;
  m_band_shown = true;
  const CRect band = GetBandRect();
  const bool big = band.Width() >= kBandMinimum && band.Height() >= kBandMinimum;
  CRect meet;
  for (auto& k : m_keys) k->check = big && meet.IntersectRect(GetKeyWindowRect(*k), band) ? 1 : 0;
  Repaint();
}

void KeyboardCtrl::HideBand() {
  if (!m_band_shown) return;
  m_band_shown = false;
  Repaint();
}

void KeyboardCtrl::ClearBand() {
  m_band_tracking = false;
  m_band_shown = false;
  m_band_start = m_band_end = CPoint();
}

int KeyboardCtrl::OnControlMouseMove(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const bool inside = m_rect.PtInRect(pt);
  if (m_band_tracking && m_frame_select) {
    if (inside) UpdateBand(pt);
    return 1;
  }
  const int before = m_hover;
  if (inside && m_hover >= 0 && GetKeyWindowRect(*m_keys[m_hover]).PtInRect(pt)) {
    ShowTip(*m_keys[m_hover]);
    return 1;
  }
  m_hover = -1;
  HideTip();
  if (inside) m_hover = KeyAt(pt);
  if (m_hover != before) RepaintUnlessTimed();
  return inside ? 1 : 0;
}

int KeyboardCtrl::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  HideBand();
  if (!m_rect.PtInRect(pt)) {
    ClearBand();
    return 0;
  }
  m_band_start = m_band_end = pt;
  m_band_tracking = true;
  const int before = m_selected;
  m_selected = m_hover;
  if (m_selected != before) RepaintUnlessTimed();
  return 1;
}

int KeyboardCtrl::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  m_band_tracking = false;
  HideBand();
  if (!m_rect.PtInRect(pt)) return 0;
  m_current_key = 0;
  KEY_INFO* key =
      m_selected >= 0 && m_selected < GetKeyCount() ? m_keys[m_selected].get() : nullptr;
  if (key) {
    m_current_key = key->key_value;
    if (m_mode == kModeCustomColor) {
      key->color = key->color ? 0 : m_custom_color;
      Repaint();
    }
  }
  SendMessageW(kNotifyClicked, static_cast<WPARAM>(key ? m_selected : -1),
               key ? static_cast<LPARAM>(key->key_value) : 0);
  return 1;
}

int KeyboardCtrl::OnControlRButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_frame_select) return 0;
  if (!m_rect.PtInRect(pt)) {
    ClearBand();
    return 0;
  }
  m_band_start = m_band_end = pt;
  m_band_tracking = true;
  return 1;
}

int KeyboardCtrl::OnControlRButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  m_band_tracking = false;
  if (m_band_shown) {
    HideBand();
    SendMessageW(kNotifySecondaryRightClick);
    return 1;
  }
  if (!m_rect.PtInRect(pt)) return 0;
  const int before = m_selected;
  m_selected = m_hover;
  const KEY_INFO* key = m_hover >= 0 ? m_keys[m_hover].get() : nullptr;
  m_current_key = key ? key->key_value : 0;
  if (m_selected != before) RepaintUnlessTimed();
  SendMessageW(kNotifyRightClick, static_cast<WPARAM>(m_hover),
               key ? static_cast<LPARAM>(key->key_value) : 0);
  return 1;
}

// --- tips ---

void KeyboardCtrl::ShowTip(const KEY_INFO& key) {
  if (!m_tips_enabled || !m_manager || !m_manager->GetWindow()) return;
  if (!m_tips) m_tips = std::make_unique<CKeyboardTips>();
  if (!m_tips->Ensure(m_manager->GetPaintWnd())) return;
  if (!key.tip_title.empty() || !key.tip_text.empty())
    m_tips->SetTips(key.text, key.tip_title, key.tip_text);
  else
    m_tips->SetTips(key.text, m_title, key.text);
  const CRect r = GetKeyWindowRect(key);
  CPoint anchor((r.left + r.right) / 2, r.top);
  m_manager->GetWindow()->ClientToScreen(anchor);
  m_tips->ShowAt(anchor);
}

void KeyboardCtrl::HideTip() {
  if (m_tips) m_tips->Hide();
}
