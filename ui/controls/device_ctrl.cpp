// CDeviceCtrl: the device list of the home page.
#include <algorithm>

#include "QorUI/device_controls.h"
#include "QorUI/manager.h"
#include "controls/control_helpers.h"

namespace {
constexpr BYTE kCurrentAlpha = 0x60;
constexpr BYTE kHoverAlpha = 0x30;
}  // namespace

CDeviceCtrl::CDeviceCtrl(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  m_frames = 2;
}

void CDeviceCtrl::AddDevice(const std::string& name, int a, int b, int type, bool unavailable) {
  Device d;
  d.name = name;
  d.a = a;
  d.b = b;
  d.type = type;
  d.unavailable = unavailable;
  d.state = unavailable ? kUnavailable : kAbsent;
  m_devices.push_back(std::move(d));
  UpdateControl(1);
}

void CDeviceCtrl::Recount() {
  m_connected = static_cast<int>(std::count_if(
      m_devices.begin(), m_devices.end(), [](const Device& d) { return d.state == kConnected; }));
}

void CDeviceCtrl::SetDeviceState(int type, int state) {
  for (int i = 0; i < static_cast<int>(m_devices.size()); ++i) {
    if (m_devices[i].type != type) continue;
    m_devices[i].state = state;
    if (state) m_current = i;
  }
  Recount();
  UpdateControl(1);
}

void CDeviceCtrl::ResetAllState() {
  for (Device& d : m_devices) d.state = kAbsent;
  Recount();
  UpdateControl(1);
}

int CDeviceCtrl::GetCurDeviceType() const {
  if (m_current < 0 || m_current >= static_cast<int>(m_devices.size()) || m_connected == 0)
    return 0;
  return m_devices[m_current].type;
}

void CDeviceCtrl::ClearList() {
  m_devices.clear();
  m_hover = m_current = -1;
  m_connected = 0;
  UpdateControl(1);
}

std::vector<int> CDeviceCtrl::ShownOrder() const {
  std::vector<int> order;
  for (int state : {kConnected, kUnavailable})
    for (int i = 0; i < static_cast<int>(m_devices.size()); ++i)
      if (m_devices[i].state == state) order.push_back(i);
  return order;
}

int CDeviceCtrl::RowAt(CPoint pt) const {
  if (!m_rect.PtInRect(pt)) return -1;
  const std::vector<int> order = ShownOrder();
  const std::size_t row = static_cast<std::size_t>((pt.y - m_rect.top) / kRowHeight);
  return row < order.size() ? order[row] : -1;
}

int CDeviceCtrl::OnControlMouseMove(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const int row = RowAt(pt);
  if (row != m_hover) {
    m_hover = row;
    UpdateControl(1);
  }
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int CDeviceCtrl::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const int row = RowAt(pt);
  if (row < 0) return m_rect.PtInRect(pt) ? 1 : 0;
  m_current = row;
  UpdateControl(1);
  SendMessageW(kNotifyPressed, static_cast<WPARAM>(row));
  return 1;
}

void CDeviceCtrl::DrawControl(Canvas& dc, const CRect&) {
  for (Device& d : m_devices) d.row = CRect();
  const std::vector<int> order = ShownOrder();
  for (std::size_t k = 0; k < order.size(); ++k) {
    const int top = m_rect.top + static_cast<int>(k) * kRowHeight;
    m_devices[order[k]].row = CRect(m_rect.left, top, m_rect.right, top + kRowHeight);
  }
  controls::DrawCached(*this, dc, [&](Canvas& mem) {
    const ARGB select = Manager::GetSelectColor();
    for (std::size_t k = 0; k < order.size(); ++k) {
      const int index = order[k];
      const Device& d = m_devices[index];
      const int top = static_cast<int>(k) * kRowHeight;
      const CRect row(0, top, m_rect.Width(), top + kRowHeight);
      if (index == m_current && d.state == kConnected)
        mem.FillRect(row, (select & 0x00FFFFFF) | (kCurrentAlpha << 24));
      else if (index == m_hover)
        mem.FillRect(row, (select & 0x00FFFFFF) | (kHoverAlpha << 24));
      int left = kIconGap;
      if (m_image) {
        const int frame = d.state == kConnected ? 0 : std::min(1, m_frames - 1);
        const CRect icon(CPoint(left, top + (kRowHeight - m_frame_height) / 2),
                         CSize(m_frame_width, m_frame_height));
        mem.DrawImage(*m_image, icon, GetFrameRect(frame));
        left = icon.right + kIconGap;
      }
      mem.DrawText(d.name, CRect(left, top, m_rect.Width(), top + kRowHeight), GetFontSpec(),
                   d.state == kConnected ? m_text_color : kUnavailableText,
                   TextFormat{kAlignLeft, kAlignVCenter, false, true});
    }
  });
}
