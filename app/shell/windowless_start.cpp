// The device and model steps of the window-less start.
#include "shell/windowless_start.h"

#include <optional>

#include "keys/keyboard_layout_loader.h"
#include "store/profile_store.h"

void LoadModels(const std::string& program_dir, const std::string& data_dir, ProfileStore& store,
                Configuration& config, KeyboardLayout& layout, HidDeviceManager& manager,
                ConsoleStatus& status) {
  KeyboardLayoutLoader loader(store, status, program_dir, data_dir);
  LayoutLoadResult loaded;
  const auto load_layout = [&](int device_type) {
    loaded = loader.LoadLayout(device_type, config.models, layout);
  };
  if (!LoadConfiguration(program_dir, config, manager, status, load_layout)) {
    status.Say("The configuration " + ConfigurationFilePath(program_dir) +
               " could not be read: no keyboard can be recognised");
  }
  status.ReportLayout(layout, loaded);
  status.ReportDatabase(loaded.database_open, store.DatabasePath(), store.SetAsideFile());
}

void ScanDevices(DeviceConnection& connection, HidDeviceManager& manager, ConsoleStatus& status) {
  connection.RefreshDevices();
  connection.ApplyConnection();
  std::optional<std::uint16_t> firmware;
  std::uint16_t version = 0;
  if (manager.GetConnectionMode() >= 0 && manager.ReadFirmwareVersion(version)) firmware = version;
  status.ReportDevices(connection.GetModesPresent(), firmware);
}
