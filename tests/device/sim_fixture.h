// Shared pieces of the device tests: a manager over the simulator on a virtual
// clock, a recording key source, and report traces compared line by line.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QorUI/types.h>

#include "device/hid_device_manager.h"
#include "device/key_command_input.h"
#include "sim/keyboard_simulator.h"
#include "sim/sim_clock.h"

inline constexpr int kVid = 0x3554;
inline constexpr int kPid2 = 0xF001;
inline constexpr int kPid1 = 0xF101;

// "<op> <hex>" with trailing zero bytes cut, so expectations stay readable.
inline std::string TraceLine(const SimReport& r) {
  static const char* kOps[] = {"write", "set", "get"};
  std::size_t end = r.bytes.size();
  while (end > 2 && r.bytes[end - 1] == 0) --end;
  std::string line = kOps[static_cast<int>(r.op)];
  if (r.interface_number == kAuxInterfaceNumber) line += "@aux";
  if (!r.ok) line += "!";
  line += ' ';
  char hex[4];
  for (std::size_t i = 0; i < end; ++i) {
    std::snprintf(hex, sizeof hex, i ? " %02X" : "%02X", r.bytes[i]);
    line += hex;
  }
  return line;
}

inline std::vector<std::string> Trace(const std::vector<SimReport>& log) {
  std::vector<std::string> lines;
  for (const SimReport& r : log) lines.push_back(TraceLine(r));
  return lines;
}

// Milliseconds between consecutive reports (first entry: since `origin`).
inline std::vector<double> Gaps(const std::vector<SimReport>& log,
                                std::chrono::microseconds origin = {}) {
  std::vector<double> gaps;
  std::chrono::microseconds last = origin;
  for (const SimReport& r : log) {
    gaps.push_back((r.time - last).count() / 1000.0);
    last = r.time;
  }
  return gaps;
}

// Expected vs produced, with every differing line shown.
inline void ExpectTrace(const std::vector<std::string>& expected,
                        const std::vector<std::string>& actual) {
  std::string diff;
  const std::size_t n = std::max(expected.size(), actual.size());
  for (std::size_t i = 0; i < n; ++i) {
    const std::string e = i < expected.size() ? expected[i] : "<none>";
    const std::string a = i < actual.size() ? actual[i] : "<none>";
    if (e != a) diff += "  #" + std::to_string(i) + "\n    - " + e + "\n    + " + a + "\n";
  }
  EXPECT_TRUE(diff.empty()) << "report trace differs:\n" << diff;
}

inline SimKeyboardConfig KeyboardConfig(int product_id, SimFamily family = SimFamily::kFamily2) {
  SimKeyboardConfig config;
  config.vendor_id = kVid;
  config.product_id = static_cast<std::uint16_t>(product_id);
  config.family = family;
  return config;
}

struct SimRig {
  VirtualClock clock;
  KeyboardSimulator* sim = nullptr;
  std::unique_ptr<HidDeviceManager> manager;

  SimRig() {
    auto backend = std::make_unique<KeyboardSimulator>(clock);
    sim = backend.get();
    manager = std::make_unique<HidDeviceManager>(std::move(backend), clock);
  }

  // One family 2 keyboard (mode 0) and the filters of both models; refreshed and selected.
  int AddFamily2(int mode = 0) {
    manager->AddDeviceFilter(kVid, kPid2, "", 201, mode, "0003:00003554:0000F001");
    return sim->AddKeyboard(KeyboardConfig(kPid2));
  }
  int AddFamily1() {
    manager->AddDeviceFilter(kVid, kPid1, "", 101, 0, "0003:00003554:0000F101");
    return sim->AddKeyboard(KeyboardConfig(kPid1, SimFamily::kFamily1));
  }
  void Connect(int device_type) {
    manager->CloseAll();
    manager->Enumerate();
    manager->SetReady(true);
    manager->SetSelectedDeviceType(device_type);
    manager->ForgetActiveDevice();
    sim->ClearLog();
  }
};

inline KeyAssignmentRow Assign(int key_code, int kind, int value) {
  KeyAssignmentRow row;
  row.key_code = key_code;
  row.macro_type = kind;
  row.macro_value = value;
  return row;
}

// The virtual-key code of the letter keys' HID usages (0x04 A .. 0x1D Z).
inline int Vk(int key_code) {
  return 0x41 + key_code - 0x04;
}

inline MacroRecordRow Rec(int type, int key_code, int delay_time) {
  MacroRecordRow r;
  r.type = type;
  r.value = Vk(key_code);
  r.delay_time = delay_time;
  return r;
}

inline StoredMacro Macro(int play_times, std::vector<MacroRecordRow> records) {
  StoredMacro m;
  m.row.play_times = play_times;
  m.records = std::move(records);
  return m;
}

inline KeyLightRow KeyLight(int key_code, COLORREF rgb) {
  KeyLightRow row;
  row.light_id = 128;
  row.key_code = key_code;
  row.key_rgb = static_cast<int>(rgb);
  return row;
}

// Key assignments, macros and key positions handed to the key commands.
class FakeKeySource final : public KeyCommandSource {
 public:
  std::vector<KeyAssignmentRow> rows;
  std::map<int, StoredMacro> macros;
  std::map<int, int> key_index;

  std::vector<KeyAssignmentRow> GetKeyAssignments() override { return rows; }
  std::optional<KeyAssignmentRow> GetKeyAssignment(int key_code) override {
    for (const KeyAssignmentRow& r : rows) {
      if (r.key_code == key_code) return r;
    }
    return std::nullopt;
  }
  std::optional<StoredMacro> GetMacro(int id) override {
    const auto it = macros.find(id);
    if (it == macros.end()) return std::nullopt;
    return it->second;
  }
  std::optional<int> KeyIndex(int key_code) override {
    const auto it = key_index.find(key_code);
    if (it == key_index.end()) return std::nullopt;
    return it->second;
  }
};
