// Enumeration, device choice and the paced, retried transfers of the device manager.
#include "device/hid_device_manager.h"

#include <algorithm>

namespace {

constexpr int kSlotTableReads = 4;
constexpr std::size_t kSlotBytesPerRead = 7;

}  // namespace

HidDeviceInfo ApplyVirtualInterfaceRule(HidDeviceInfo info) {
  if (info.interface_number < 0 && info.usage_page == kVendorUsagePage &&
      info.usage == kVirtualAuxUsage) {
    info.interface_number = kAuxInterfaceNumber;
    info.usage = kVendorUsage;
  }
  return info;
}

HidDeviceManager::HidDeviceManager(std::unique_ptr<HidBackend> backend, Clock& clock)
    : m_backend(std::move(backend)), m_clock(clock), m_trace(HidTrace::FromEnvironment(clock)) {}

HidDeviceManager::~HidDeviceManager() = default;

void HidDeviceManager::AddDeviceFilter(int vendor_id, int product_id,
                                       const std::string& product_name, int device_type,
                                       int connection_mode, const std::string& interface_pattern) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  m_filters.push_back(
      {vendor_id, product_id, product_name, device_type, connection_mode, interface_pattern});
}

std::vector<DeviceFilter> HidDeviceManager::GetDeviceFilters() const {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  return m_filters;
}

void HidDeviceManager::CloseAll() {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  // Closed whether or not the ready flag is set, so a second enumeration never
  // finds the handles of the first still open.
  m_ready = false;
  m_records.clear();
  m_aux.clear();
  m_active = -1;
}

const DeviceFilter* HidDeviceManager::AcceptingFilter(const HidDeviceInfo& info) const {
  for (const DeviceFilter& f : m_filters) {
    // The enumeration reads no product name, so only filters without one accept.
    if (f.vendor_id == info.vendor_id && f.product_id == info.product_id &&
        f.product_name.empty()) {
      return &f;
    }
  }
  return nullptr;
}

void HidDeviceManager::Enumerate() {
  if (!m_backend || !m_backend->Available()) return;
  const std::vector<HidDeviceInfo> interfaces = m_backend->Enumerate(0, 0);
  std::lock_guard<std::mutex> lock(m_devices_lock);
  for (const HidDeviceInfo& info : interfaces) {
    const DeviceFilter* filter = AcceptingFilter(info);
    if (filter == nullptr) continue;
    std::unique_ptr<HidHandle> handle = m_backend->Open(info.path);
    if (!handle) continue;
    if (info.usage_page != kVendorUsagePage || info.usage != kVendorUsage) continue;
    if (info.interface_number == kAuxInterfaceNumber) {
      m_aux.push_back({info.physical_device, std::move(handle)});
      continue;
    }
    OpenRecord record;
    record.info.index = static_cast<int>(m_records.size());
    record.info.vendor_id = info.vendor_id;
    record.info.product_id = info.product_id;
    record.info.path = info.path.substr(0, 1023);
    record.info.release_number = info.release_number;
    // The first filter with these ids decides, also when a later one named a product.
    for (const DeviceFilter& f : m_filters) {
      if (f.vendor_id == info.vendor_id && f.product_id == info.product_id) {
        record.info.device_type = f.device_type;
        record.info.connection_mode = f.connection_mode;
        break;
      }
    }
    record.info.mode0 = record.info.connection_mode == 0;
    record.physical_device = info.physical_device;
    record.handle = std::move(handle);
    m_records.push_back(std::move(record));
  }
}

void HidDeviceManager::SetReady(bool ready) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  m_ready = ready;
}

bool HidDeviceManager::IsReady() const {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  return m_ready;
}

bool HidDeviceManager::GetDevices(std::vector<HidDeviceRecord>& out) const {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  out.clear();
  if (m_records.empty()) return false;
  for (const OpenRecord& r : m_records) {
    if (m_selected_type == 0 || r.info.device_type == m_selected_type) out.push_back(r.info);
  }
  return true;
}

int HidDeviceManager::FindDevice(int vendor_id, int product_id, const std::string& product_name,
                                 int connection_mode) const {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  for (const OpenRecord& r : m_records) {
    if (r.info.vendor_id == vendor_id && r.info.product_id == product_id &&
        r.info.connection_mode == connection_mode &&
        (product_name.empty() || product_name == r.info.product_name)) {
      return r.info.index;
    }
  }
  return -1;
}

void HidDeviceManager::SetSelectedDeviceType(int device_type) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  m_selected_type = device_type;
}

int HidDeviceManager::GetSelectedDeviceType() const {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  return m_selected_type;
}

void HidDeviceManager::ForgetActiveDevice() {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  m_active = -1;
}

int HidDeviceManager::GetConnectionMode() const {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  bool has[3] = {false, false, false};
  for (const OpenRecord& r : m_records) {
    if (m_selected_type != 0 && r.info.device_type != m_selected_type) continue;
    if (r.info.connection_mode >= 0 && r.info.connection_mode <= 2)
      has[r.info.connection_mode] = true;
  }
  if (has[0]) return 0;
  if (has[2]) return 2;
  if (has[1]) return 1;
  return -1;
}

int HidDeviceManager::ActiveIndexLocked() {
  if (m_active >= 0) return m_active;
  for (int mode : {0, 1, 2}) {
    for (const OpenRecord& r : m_records) {
      if ((m_selected_type == 0 || r.info.device_type == m_selected_type) &&
          r.info.connection_mode == mode) {
        m_active = r.info.index;
        return m_active;
      }
    }
  }
  return -1;
}

int HidDeviceManager::GetActiveDevice() {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  return ActiveIndexLocked();
}

bool HidDeviceManager::HasAuxInterface() const {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  return !m_aux.empty();
}

HidHandle* HidDeviceManager::AuxHandleLocked() {
  if (!m_ready) return nullptr;
  // The stream belongs to the interface 3 of the keyboard that receives the
  // commands; frames sent to another keyboard would light the wrong one. An
  // interface whose device is unknown matches nothing.
  const int index = ActiveIndexLocked();
  if (index < 0 || index >= static_cast<int>(m_records.size())) return nullptr;
  const std::string& device = m_records[index].physical_device;
  if (device.empty()) return nullptr;
  for (const AuxInterface& aux : m_aux) {
    if (aux.physical_device == device) return aux.handle.get();
  }
  return nullptr;
}

HidHandle* HidDeviceManager::ActiveHandleLocked() {
  if (!m_ready) return nullptr;
  const int index = ActiveIndexLocked();
  if (index < 0 || index >= static_cast<int>(m_records.size())) return nullptr;
  return m_records[index].handle.get();
}

void HidDeviceManager::RememberError(const HidHandle& handle) {
  std::string text = handle.LastError();
  const std::size_t cut = text.find_first_of("\r\n");
  if (cut != std::string::npos) text.resize(cut);
  m_last_error = text;
}

int HidDeviceManager::WriteOnce(HidHandle& handle, const OutputReport& report, const char* op) {
  const std::size_t length = std::max(handle.OutputReportLength(), kOutputReportSize);
  std::vector<std::uint8_t> buffer(length, 0);
  std::copy(report.begin(), report.end(), buffer.begin());
  const int written = handle.Write(buffer.data(), buffer.size());
  if (m_trace) m_trace->Record(op, buffer.data(), buffer.size(), written > 0);
  if (written <= 0) RememberError(handle);
  return written;
}

bool HidDeviceManager::SendReport(const OutputReport& report) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  HidHandle* handle = ActiveHandleLocked();
  if (handle == nullptr) return false;
  if (WriteOnce(*handle, report, HidTrace::kWrite) > 0) return true;
  m_clock.SleepMs(kWriteRetryMs);
  return WriteOnce(*handle, report, HidTrace::kWrite) > 0;
}

bool HidDeviceManager::SendAuxReport(const OutputReport& report) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  HidHandle* aux = AuxHandleLocked();
  if (aux == nullptr) return false;
  if (WriteOnce(*aux, report, HidTrace::kAuxWrite) > 0) return true;
  m_clock.SleepMs(kWriteRetryMs);
  WriteOnce(*aux, report, HidTrace::kAuxWrite);
  return true;
}

bool HidDeviceManager::SendLongReport(const LongPayload& payload) {
  OutputReport report{};
  report[0] = kOutputReportId;
  std::copy(payload.begin(), payload.end(), report.begin() + 1);
  std::lock_guard<std::mutex> lock(m_devices_lock);
  HidHandle* handle = ActiveHandleLocked();
  if (handle == nullptr) return false;
  if (WriteOnce(*handle, report, HidTrace::kWrite) > 0) return true;
  m_clock.SleepMs(kLongRetryMs);
  return WriteOnce(*handle, report, HidTrace::kWrite) > 0;
}

int HidDeviceManager::SendFeatureLocked(HidHandle& handle, const FeatureReport& report) {
  const int result = handle.SendFeatureReport(report.data(), report.size());
  if (m_trace) m_trace->Record(HidTrace::kSetFeature, report.data(), report.size(), result >= 0);
  if (result < 0) RememberError(handle);
  return result;
}

int HidDeviceManager::GetFeatureLocked(HidHandle& handle, FeatureReport& buffer) {
  const int result = handle.GetFeatureReport(buffer.data(), buffer.size());
  if (m_trace) m_trace->Record(HidTrace::kGetFeature, buffer.data(), buffer.size(), result > 0);
  if (result < 0) RememberError(handle);
  return result;
}

bool HidDeviceManager::SendFeature(const FeatureReport& report) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  HidHandle* handle = ActiveHandleLocked();
  if (handle == nullptr) return false;
  m_clock.SleepMs(kFeaturePauseMs);
  SendFeatureLocked(*handle, report);
  return false;
}

bool HidDeviceManager::SendFeatureNow(const FeatureReport& report) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  HidHandle* handle = ActiveHandleLocked();
  if (handle == nullptr) return false;
  return SendFeatureLocked(*handle, report) >= 0;
}

bool HidDeviceManager::ReadSlotTable(const FeatureReport& request, SlotTable& table) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  HidHandle* handle = ActiveHandleLocked();
  if (handle == nullptr) return false;
  if (SendFeatureLocked(*handle, request) < 0) return false;
  FeatureReport buffer = request;
  for (int i = 0; i < kSlotTableReads; ++i) {
    buffer[0] = kFeatureReportId;
    buffer[1] = kCmdReadSlotTable;
    buffer[2] = kSlotTableSubcommand;
    m_clock.SleepMs(kFeaturePauseMs);
    if (GetFeatureLocked(*handle, buffer) >= 1) {
      std::copy(buffer.begin() + 1, buffer.end(), table.begin() + i * kSlotBytesPerRead);
    }
  }
  return true;
}

bool HidDeviceManager::ReadFirmwareVersion(std::uint16_t& version) {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  HidHandle* handle = ActiveHandleLocked();
  if (handle == nullptr) return false;
  const FeatureReport request = MakeFeatureReport(kCmdReadFirmwareVersion);
  m_clock.SleepMs(kFeaturePauseMs);
  if (SendFeatureLocked(*handle, request) < 0) return false;
  FeatureReport reply = request;
  m_clock.SleepMs(kFeaturePauseMs);
  bool answered = GetFeatureLocked(*handle, reply) >= 1 && reply[0] == kFeatureReportId;
  if (!answered) {
    // A read that failed leaves the request in the buffer, which must not pass
    // for a version (it would read as 0xFD00).
    reply = request;
    m_clock.SleepMs(kFeaturePauseMs);
    answered = GetFeatureLocked(*handle, reply) >= 1 && reply[0] == kFeatureReportId;
  }
  if (!answered) return false;
  version = static_cast<std::uint16_t>(reply[1] * 256 + reply[2]);
  return true;
}

std::string HidDeviceManager::GetLastError() const {
  std::lock_guard<std::mutex> lock(m_devices_lock);
  return m_last_error;
}
