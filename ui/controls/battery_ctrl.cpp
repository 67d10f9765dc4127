// BatteryCtrl: the battery gauge: frame, fill by level, and while charging
// the charging mark and the percentage.
#include <algorithm>
#include <string>

#include "QorUI/device_controls.h"
#include "QorUI/paint_manager.h"
#include "controls/control_helpers.h"

BatteryCtrl::BatteryCtrl(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 0) {
  m_frames = 1;
  SetRunTimer(1);
}

void BatteryCtrl::InitControl(PaintManager* manager) {
  if (!manager) return;
  manager->DeleteZynTimer(this);
  AddMTimer();
}

int BatteryCtrl::SetBatteryIcon(const char* fill_file, const char* charging_file) {
  m_fill = controls::LoadSkinImage(fill_file ? fill_file : "");
  m_charge_icon = controls::LoadSkinImage(charging_file ? charging_file : "");
  UpdateControl(1);
  return 1;
}

void BatteryCtrl::SetBatteryInfo(int level, int state) {
  if (level == m_level && state == m_charging) return;
  m_level = level;
  m_charging = state;
  UpdateControl(1);
}

void BatteryCtrl::DrawControl(Canvas& dc, const CRect&) {
  controls::DrawCached(*this, dc, [this](Canvas& mem) {
    const int frame_w = m_image ? m_frame_width : 0;
    const int frame_h = m_image ? m_frame_height : 0;
    if (m_image) mem.DrawImage(*m_image, CRect(0, 0, frame_w, frame_h), GetFrameRect(0));
    if (m_fill) {
      const int value = m_charging == 1 ? m_charge_value : m_level;
      const int width = std::clamp(value, 0, 100) * m_fill->Width() / 100;
      mem.DrawImage(*m_fill, CRect(0, 0, width, m_fill->Height()),
                    CRect(0, 0, width, m_fill->Height()));
    }
    if (m_charging != 1) return;
    if (m_charge_icon) {
      const CRect icon(
          CPoint(frame_w + kChargeGap, (m_rect.Height() - m_charge_icon->Height()) / 2),
          CSize(m_charge_icon->Width(), m_charge_icon->Height()));
      mem.DrawImage(*m_charge_icon, icon, CRect(CPoint(0, 0), icon.Size()));
    }
    if (m_level != 0)
      mem.DrawText(std::to_string(m_level) + "%", CRect(0, 0, frame_w, frame_h), GetFontSpec(),
                   m_text_color, TextFormat{kAlignCenter, kAlignVCenter, false, false});
  });
}
