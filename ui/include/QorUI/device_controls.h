// Status of the hardware and of updates: the list of supported devices with
// the connected ones first (CDeviceCtrl), a battery gauge (BatteryCtrl), and
// a button that carries a red "1" while an update is available (UpgradeButton).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QorUI/buttons.h"
#include "QorUI/control_font.h"
#include "QorUI/image.h"

class CDeviceCtrl : public MControlFont {
 public:
  static constexpr int kRowHeight = 50;
  static constexpr int kIconGap = 10;
  static constexpr ARGB kUnavailableText = 0xFF808080;

  enum DeviceState { kAbsent = 0, kConnected = 1, kUnavailable = 2 };

  struct Device {
    std::string name;
    int a = 0;  // kept for the program
    int b = 0;
    int type = 0;
    int state = kAbsent;
    bool unavailable = false;
    CRect row;  // in window coordinates, set while drawing; empty when not shown
  };

  CDeviceCtrl(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  // Starts in state 2 when `unavailable`, else 0.
  void AddDevice(const std::string& name, int a, int b, int type, bool unavailable);
  // Every device of the type takes the state; a nonzero state also makes it
  // the current device (the last such in the list wins).
  void SetDeviceState(int type, int state);
  void ResetAllState();
  // 0 when there is no current device or nothing is connected.
  int GetCurDeviceType() const;
  int GetConnectCount() const { return m_connected; }
  void ClearList();
  int GetCurIndex() const { return m_current; }
  int GetHoverIndex() const { return m_hover; }
  const std::vector<Device>& GetDevices() const { return m_devices; }

  void DrawControl(Canvas& dc, const CRect& dirty) override;
  int OnControlMouseMove(UINT flags, CPoint pt) override;
  int OnControlLButtonDown(UINT flags, CPoint pt) override;

 private:
  // Devices in drawing order: connected first, then unavailable ones.
  std::vector<int> ShownOrder() const;
  int RowAt(CPoint pt) const;
  void Recount();

  std::vector<Device> m_devices;
  int m_hover = -1;
  int m_current = -1;
  int m_connected = 0;
};

class BatteryCtrl : public MControlFont {
 public:
  static constexpr int kChargeGap = 5;

  BatteryCtrl(MObject* parent, UINT id, CRect rect, int visible = 1, int enabled = 1);

  // Both from the skin folder; a missing file leaves that image empty. Returns 1.
  int SetBatteryIcon(const char* fill_file, const char* charging_file);
  void SetBatteryInfo(int level, int state);
  int GetLevel() const { return m_level; }
  int GetChargeState() const { return m_charging; }

  void InitControl(PaintManager* manager) override;
  void DrawControl(Canvas& dc, const CRect& dirty) override;

 private:
  std::unique_ptr<Image> m_fill;
  std::unique_ptr<Image> m_charge_icon;
  int m_level = 100;
  int m_charging = 0;
  int m_charge_value = 0;  // shown while charging
};

class UpgradeButton : public MButton {
 public:
  static constexpr ARGB kBadgeColor = 0xFFFF0000;
  static constexpr int kBadgeSize = 16;

  using MButton::MButton;

  void SetUpgradeStatus(int status);
  int GetUpgradeStatus() const { return m_status; }

 protected:
  void DrawFace(Canvas& mem, int state) override;

 private:
  int m_status = 0;
};
