// Device refresh, connection state and hot-plug notices.
#include "device/device_connection.h"

#include <cctype>

#include "device/command_family.h"

namespace {

constexpr const char* kBleHidService = "00001812-0000-1000-8000-00805F9B34FB";
// The bus of a Bluetooth HID device, as NoticePathFromSyspath appends it.
constexpr const char* kBluetoothHidId = " HID_ID=0005:";

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

DeviceConnection::DeviceConnection(HidDeviceManager& manager, ConnectionHost& host)
    : m_manager(manager), m_host(host) {}

bool DeviceConnection::IsBluetoothPath(const std::string& upper_path) {
  return upper_path.find(kBleHidService) != std::string::npos ||
         upper_path.find(kBluetoothHidId) != std::string::npos;
}

std::vector<bool> DeviceConnection::GetModesPresent() const {
  std::lock_guard<std::mutex> lock(m_present_lock);
  return m_present;
}

void DeviceConnection::RefreshDevices() {
  m_host.SetConnected(false);
  m_manager.CloseAll();
  m_manager.Enumerate();
  m_manager.SetReady(true);
  m_manager.SetSelectedDeviceType(0);
  m_manager.ForgetActiveDevice();

  std::vector<HidDeviceRecord> devices;
  m_manager.GetDevices(devices);
  m_host.ResetDeviceStatus();

  const std::vector<DeviceFilter> modes = m_manager.GetDeviceFilters();
  std::vector<bool> present(modes.size(), false);
  for (std::size_t i = 0; i < modes.size(); ++i) {
    const DeviceFilter& mode = modes[i];
    if (m_manager.FindDevice(mode.vendor_id, mode.product_id, mode.product_name,
                             mode.connection_mode) < 0) {
      continue;
    }
    m_host.SetConnected(true);
    present[i] = true;
    m_host.SetDevicePresent(mode.device_type);
  }
  {
    std::lock_guard<std::mutex> lock(m_present_lock);
    m_present = std::move(present);
  }
  m_attached = !devices.empty();
  m_host.SetAttached(m_attached);
}

void DeviceConnection::ApplyConnection() {
  if (m_attached) {
    // Commands go to a keyboard of the controller's device type (201 after
    // start-up), so they always reach a keyboard of the family they are built for.
    m_manager.SetSelectedDeviceType(m_host.GetDeviceType());
    m_manager.ForgetActiveDevice();
    m_host.SetConnectionMode(m_manager.GetConnectionMode());
  }
  const int device_type = m_host.GetDeviceType();
  if (device_type <= 299) m_host.ShowDeviceTabs();
  if (CommandFamilyOf(device_type) == CommandFamily::kFamily2) {
    m_host.SetCapabilityFlags(kFamily2CapabilityFlags);
    m_host.ShowRestoreButton();
  }
  if (!m_attached) {
    m_host.ShowNotConnected();
    return;
  }
  const int mode = m_manager.GetConnectionMode();
  if ((mode == 1 || mode == 2) && !m_host.IsConnected()) {
    m_host.ShowNotConnected();
    return;
  }
  m_host.ShowConnected();
  m_host.EnqueueJob(kJobUpdateSteps);
  m_host.EnqueueJob(kJobReloadPages);
}

void DeviceConnection::OnDeviceChange(const DeviceNotice& notice) {
  const std::string path = Upper(notice.path);
  if (IsBluetoothPath(path)) return;
  const std::vector<DeviceFilter> modes = m_manager.GetDeviceFilters();
  for (std::size_t i = 0; i < modes.size(); ++i) {
    const DeviceFilter& mode = modes[i];
    // An empty pattern is contained in every path; it names no device.
    if (mode.interface_pattern.empty()) continue;
    if (path.find(Upper(mode.interface_pattern)) == std::string::npos) continue;
    if (notice.kind == NoticeKind::kArrival) {
      m_host.SetNotice(static_cast<int>(NoticeKind::kArrival), mode.device_type);
      m_host.EnqueueJob(kJobDeviceArrival);
      return;
    }
    {
      // Tested and cleared in one step, so one removal is reported once.
      std::lock_guard<std::mutex> lock(m_present_lock);
      if (i >= m_present.size() || !m_present[i]) continue;
      m_present[i] = false;
    }
    m_host.SetNotice(static_cast<int>(NoticeKind::kRemoval), mode.connection_mode);
    m_host.EnqueueJob(kJobDeviceRemoval);
    return;
  }
}
