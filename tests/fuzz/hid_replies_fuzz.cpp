// Fuzz target for what comes back from a keyboard and what a keyboard is sent:
// the device manager's reads and downloads over a back end whose enumeration,
// transfer results and reply bytes all come from the input, and the firmware
// model (which the uhid bridge feeds with kernel data) over arbitrary reports.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "device/hid_device_manager.h"
#include "device/key_protocol.h"
#include "sim/keyboard_firmware.h"
#include "sim/sim_clock.h"

namespace {

// Hands out the input byte by byte, then zeros.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  bool Empty() const { return m_at >= m_size; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
};

class ScriptedHandle final : public HidHandle {
 public:
  explicit ScriptedHandle(Input& in) : m_in(in) {}
  int Write(const std::uint8_t*, std::size_t length) override { return Result(length); }
  int SendFeatureReport(const std::uint8_t*, std::size_t length) override { return Result(length); }
  int GetFeatureReport(std::uint8_t* data, std::size_t length) override {
    const int result = Result(length);
    for (int i = 0; i < result; ++i) data[i] = m_in.Byte();
    return result;
  }
  std::size_t OutputReportLength() const override { return 65 + (m_in.Byte() & 0x3F); }
  std::string LastError() const override { return "scripted\r\nfailure"; }

 private:
  int Result(std::size_t length) {
    const std::uint8_t b = m_in.Byte();
    if (b & 0x80) return -1;
    return static_cast<int>(std::min<std::size_t>(b & 0x7F, length));
  }
  Input& m_in;
};

class ScriptedBackend final : public HidBackend {
 public:
  explicit ScriptedBackend(Input& in) : m_in(in) {}
  bool Available() const override { return true; }
  std::vector<HidDeviceInfo> Enumerate(std::uint16_t, std::uint16_t) override {
    std::vector<HidDeviceInfo> list;
    const int count = m_in.Byte() & 7;
    for (int i = 0; i < count; ++i) {
      HidDeviceInfo info;
      info.path = std::string(m_in.Byte() & 3, 'p');
      info.vendor_id = 0x3554;
      info.product_id = (m_in.Byte() & 1) ? 0xF001 : 0xF101;
      info.usage_page = (m_in.Byte() & 1) ? kVendorUsagePage : 1;
      info.usage = m_in.Byte() & 3;
      info.interface_number = static_cast<int>(m_in.Byte() & 7) - 1;
      list.push_back(ApplyVirtualInterfaceRule(info));
    }
    return list;
  }
  std::unique_ptr<HidHandle> Open(const std::string&) override {
    if (m_in.Byte() & 0x80) return nullptr;
    return std::make_unique<ScriptedHandle>(m_in);
  }

 private:
  Input& m_in;
};

class ScriptedSource final : public KeyCommandSource {
 public:
  explicit ScriptedSource(Input& in) {
    const int rows = in.Byte() & 31;
    for (int i = 0; i < rows; ++i) {
      KeyAssignmentRow row;
      row.key_code = in.Byte();
      row.macro_type = in.Byte() & 15;
      row.macro_value = static_cast<int8_t>(in.Byte());
      m_rows.push_back(row);
    }
    const int records = in.Byte();
    m_macro.row.play_times = static_cast<int8_t>(in.Byte()) * 3;
    for (int i = 0; i < records * 2; ++i) {
      MacroRecordRow r;
      r.type = in.Byte() & 3;
      r.value = in.Byte();
      r.delay_time = static_cast<int16_t>(in.Byte() << 8 | in.Byte());
      m_macro.records.push_back(r);
    }
  }
  std::vector<KeyAssignmentRow> GetKeyAssignments() override { return m_rows; }
  std::optional<KeyAssignmentRow> GetKeyAssignment(int key_code) override {
    for (const KeyAssignmentRow& r : m_rows) {
      if (r.key_code == key_code) return r;
    }
    return std::nullopt;
  }
  std::optional<StoredMacro> GetMacro(int id) override {
    if (id & 1) return std::nullopt;
    return m_macro;
  }
  std::optional<int> KeyIndex(int key_code) override { return key_code * 3 - 100; }

 private:
  std::vector<KeyAssignmentRow> m_rows;
  StoredMacro m_macro;
};

void FuzzFirmware(Input& in) {
  KeyboardFirmware firmware(in.Byte() & 1 ? SimFamily::kFamily1 : SimFamily::kFamily2);
  firmware.SetReadBehaviour(static_cast<ReadBehaviour>(in.Byte() % 3));
  while (!in.Empty()) {
    const std::uint8_t kind = in.Byte();
    std::vector<std::uint8_t> report(in.Byte() % 80);
    for (std::uint8_t& b : report) b = in.Byte();
    switch (kind % 3) {
      case 0:
        firmware.HandleOutput(report.data(), report.size(), kind & 0x10);
        break;
      case 1:
        firmware.HandleSetFeature(report.data(), report.size());
        break;
      default:
        firmware.HandleGetFeature(report.data(), report.size());
        break;
    }
  }
}

void FuzzManager(Input& in) {
  VirtualClock clock;
  HidDeviceManager manager(std::make_unique<ScriptedBackend>(in), clock);
  manager.AddDeviceFilter(0x3554, 0xF001, "", 201, in.Byte() % 3, "");
  manager.AddDeviceFilter(0x3554, 0xF101, "", 101, in.Byte() % 3, "");
  manager.Enumerate();
  manager.SetReady(true);
  manager.SetSelectedDeviceType(in.Byte() & 1 ? 201 : 101);
  SlotTable table{};
  manager.ReadSlotTable(MakeFeatureReport(kCmdReadSlotTable), table);
  std::uint16_t version = 0;
  manager.ReadFirmwareVersion(version);
  ScriptedSource source(in);
  KeyProtocol protocol(manager, source);
  protocol.DownloadKeys(201);
  protocol.DownloadKeys(101);
  manager.SendAuxReport(OutputReport{});
  manager.GetLastError();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  if (in.Byte() & 1) {
    FuzzFirmware(in);
  } else {
    FuzzManager(in);
  }
  return 0;
}
