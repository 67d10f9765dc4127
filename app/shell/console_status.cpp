// The window-less front end's lines.
#include "shell/console_status.h"

#include <cstdio>

namespace {

// Tab strip items of the pages a layout can offer, as the user knows them.
struct TabName {
  int item_id;
  const char* name;
};
constexpr TabName kTabNames[] = {{1, "keys"}, {2, "macros"}, {3, "lighting"}};

std::string FirmwareText(std::uint16_t version) {
  char text[16];
  std::snprintf(text, sizeof text, "%X.%02X", version >> 8, version & 0xFFu);
  return text;
}

}  // namespace

ConsoleStatus::ConsoleStatus(std::ostream& out, const Configuration& config)
    : m_out(out), m_config(config) {}

void ConsoleStatus::Say(const std::string& line) {
  m_out << line << std::endl;
}

void ConsoleStatus::AddDevice(const std::string& name, int, int, int device_type, bool) {
  Say("Configured keyboard model: " + name + " (device type " + std::to_string(device_type) + ")");
}

void ConsoleStatus::SetTabItemVisible(int item_id, bool visible) {
  if (visible) {
    m_visible_tabs.insert(item_id);
  } else {
    m_visible_tabs.erase(item_id);
  }
}

void ConsoleStatus::SetLightSliderMaxima(int brightness_max, int speed_max) {
  m_brightness_max = brightness_max;
  m_speed_max = speed_max;
}

void ConsoleStatus::ReportLayout(const KeyboardLayout& layout, const LayoutLoadResult& result) {
  m_device_type = layout.device_type;
  const std::string model = ModelName(layout.device_type);
  if (result.file != LayoutFileStatus::kRead) {
    Say("The layout file of " + model +
        " could not be read: its keys and light modes are missing (is the layouts folder "
        "beside the program complete?)");
    return;
  }
  std::string pages;
  for (const TabName& tab : kTabNames) {
    if (!m_visible_tabs.count(tab.item_id)) continue;
    pages += (pages.empty() ? "" : ", ") + std::string(tab.name);
  }
  Say("Layout of " + model + ": " + std::to_string(layout.keys.size()) + " keys, " +
      std::to_string(layout.light_modes.size()) + " light modes (brightness 0-" +
      std::to_string(m_brightness_max) + ", speed 0-" + std::to_string(m_speed_max) +
      "), pages: " + (pages.empty() ? "none" : pages));
}

void ConsoleStatus::ReportDatabase(bool open, const std::string& path,
                                   const std::string& set_aside) {
  if (!set_aside.empty()) {
    Say("The profile database " + path + " could not be read; it was kept as " + set_aside +
        " and a new one was made in its place");
  }
  if (open) {
    Say("Profile database: " + path);
  } else {
    Say("The profile database " + path +
        " could not be opened or created: settings cannot be kept (is the data folder "
        "writable?)");
  }
}

void ConsoleStatus::EnqueueJob(int code) {
  if (code == kJobDeviceArrival || code == kJobDeviceRemoval) m_refresh_requested = true;
}

bool ConsoleStatus::TakeRefreshRequest() {
  const bool requested = m_refresh_requested;
  m_refresh_requested = false;
  return requested;
}

void ConsoleStatus::SetNotice(int kind, int value) {
  if (kind == static_cast<int>(NoticeKind::kArrival)) {
    m_pending_notice = "Plugged in: a " + ModelName(value);
  } else {
    m_pending_notice = "Unplugged: the keyboard in connection mode " + std::to_string(value);
  }
}

void ConsoleStatus::ReportDevices(const std::vector<bool>& modes_present,
                                  std::optional<std::uint16_t> firmware_version) {
  std::vector<std::string> lines = DeviceLines(modes_present, firmware_version);
  const bool changed = !m_devices_reported || lines != m_last_devices;
  if (changed && !m_pending_notice.empty()) Say(m_pending_notice);
  m_pending_notice.clear();
  if (!changed) return;
  for (const std::string& line : lines) Say(line);
  m_last_devices = std::move(lines);
  m_devices_reported = true;
}

std::vector<std::string> ConsoleStatus::DeviceLines(
    const std::vector<bool>& modes_present, std::optional<std::uint16_t> firmware_version) const {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < modes_present.size() && i < m_config.modes.size(); ++i) {
    if (!modes_present[i]) continue;
    const KeyboardMode& mode = m_config.modes[i];
    lines.push_back("Keyboard found: " + ModelName(mode.device_type) + " over " + mode.description +
                    " (connection mode " + std::to_string(mode.connection_mode) + ")");
  }
  const std::string model = ModelName(m_device_type);
  const KeyboardMode* mode = ModeOf(m_device_type, m_connection_mode);
  if (!m_attached || !m_shown_connected || mode == nullptr) {
    lines.push_back("Not connected: no " + model +
                    " found (one that is plugged in but not found needs the access rules of "
                    "driver/install.sh)");
    return lines;
  }
  std::string line = "Connected: " + model + " over " + mode->description + " (connection mode " +
                     std::to_string(m_connection_mode) + "), firmware ";
  line += firmware_version ? FirmwareText(*firmware_version) : "version not answered";
  lines.push_back(line);
  return lines;
}

std::string ConsoleStatus::ModelName(int device_type) const {
  for (const KeyboardModel& model : m_config.models) {
    if (model.device_type == device_type) return model.name;
  }
  return "keyboard of device type " + std::to_string(device_type);
}

const KeyboardMode* ConsoleStatus::ModeOf(int device_type, int connection_mode) const {
  for (const KeyboardMode& mode : m_config.modes) {
    if (mode.device_type == device_type && mode.connection_mode == connection_mode) return &mode;
  }
  return nullptr;
}
