// The device list's states and current device, and the battery gauge.
#include "QorUI/device_controls.h"

#include "controls_fixture.h"

class DeviceListTest : public ControlsTest {
 protected:
  void OpenList() {
    OpenWith(dlg, [&](TestDialog& d) {
      list = Make<CDeviceCtrl>(d, "CDeviceCtrl", 56, CRect(100, 100, 472, 360));
      ASSERT_EQ(list->SetImage("img_device_state.png", 2), 1);
      list->AddDevice("K101", 0, 0, 101, false);
      list->AddDevice("K201", 0, 0, 201, false);
      list->AddDevice("K201 wireless", 0, 0, 201, false);
      list->AddDevice("K301", 0, 0, 301, true);
    });
  }

  TestDialog dlg;
  CDeviceCtrl* list = nullptr;
};

TEST_F(DeviceListTest, StatesDecideTheCurrentDevice) {
  OpenList();
  EXPECT_EQ(list->GetDevices()[3].state, CDeviceCtrl::kUnavailable);
  EXPECT_EQ(list->GetCurDeviceType(), 0) << "nothing connected";
  list->SetDeviceState(201, 1);
  EXPECT_EQ(list->GetConnectCount(), 2);
  EXPECT_EQ(list->GetCurIndex(), 2) << "the later device of the type";
  EXPECT_EQ(list->GetCurDeviceType(), 201);
  list->SetDeviceState(101, 1);
  EXPECT_EQ(list->GetCurDeviceType(), 101);
  list->SetDeviceState(101, 0);
  EXPECT_EQ(list->GetCurIndex(), 0) << "state 0 leaves the current device";
  EXPECT_EQ(list->GetConnectCount(), 2);
  list->SetDeviceState(201, 0);
  EXPECT_EQ(list->GetCurDeviceType(), 0) << "no device in state 1";
  list->SetDeviceState(201, 1);
  list->ResetAllState();
  EXPECT_EQ(list->GetConnectCount(), 0);
  EXPECT_EQ(list->GetCurDeviceType(), 0);
  list->ClearList();
  EXPECT_TRUE(list->GetDevices().empty());
}

TEST_F(DeviceListTest, ConnectedRowsComeFirstAndAPressPicksOne) {
  OpenList();
  list->SetDeviceState(201, 1);
  host->Pump();
  // Rows: K201, K201 wireless (connected), then K301 (unavailable); K101 is not shown.
  EXPECT_EQ(list->GetDevices()[1].row, CRect(100, 100, 472, 150));
  EXPECT_EQ(list->GetDevices()[2].row, CRect(100, 150, 472, 200));
  EXPECT_EQ(list->GetDevices()[3].row, CRect(100, 200, 472, 250));
  EXPECT_TRUE(list->GetDevices()[0].row.IsRectEmpty());
  host->Click(hwnd, CPoint(200, 125));
  host->Click(hwnd, CPoint(200, 225));
  host->Click(hwnd, CPoint(200, 300));  // below the rows
  const std::vector<Notice> expected{{56, kNotifyPressed, 1, 0}, {56, kNotifyPressed, 3, 0}};
  EXPECT_EQ(dlg.notices, expected);
  EXPECT_EQ(list->GetCurIndex(), 3);
  EXPECT_EQ(list->GetCurDeviceType(), 301);
}

TEST_F(ControlsTest, BatteryShowsFillAndWhileChargingTheMarkAndLevel) {
  TestDialog dlg;
  BatteryCtrl* battery = nullptr;
  OpenWith(dlg, [&](TestDialog& d) {
    battery = Make<BatteryCtrl>(d, "BatteryCtrl", 46, CRect(100, 100, 180, 130));
    ASSERT_EQ(battery->SetImage("icon/icon_battery_bkg.png", 1), 1);
    EXPECT_EQ(battery->SetBatteryIcon("icon/icon_batteryvalue.png", "missing.png"), 1);
  });
  EXPECT_EQ(battery->GetLevel(), 100);
  const CRect gauge(100, 100, 140, 118);
  const int full = InkCount(Screen(hwnd), gauge);
  auto bright = [&](const CRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (ArgbGreen(Pixel(CPoint(x, y))) > 0xB0) ++n;
    return n;
  };
  const int at_full = bright(gauge);
  battery->SetBatteryInfo(20, 0);
  host->Pump();
  EXPECT_LT(bright(gauge), at_full) << "a shorter fill";
  EXPECT_EQ(InkCount(Screen(hwnd), gauge), full);

  battery->SetBatteryIcon("icon/icon_batteryvalue.png", "icon/icon_charge.png");
  battery->SetBatteryInfo(0, 1);
  host->Pump();
  const CRect mark(145, 100, 160, 130);
  EXPECT_GT(bright(mark), 5) << "the charging mark";
  const int without_text = bright(gauge);
  battery->SetBatteryInfo(80, 1);
  host->Pump();
  EXPECT_GT(bright(gauge), without_text) << "the percentage, only for a level above 0";
}
