// The start-up steps the window-less run takes in place of the main window's
// initialisation: reading the models into the device manager and the front
// end with the start-up model's layout and database, and each device scan.
#pragma once

#include <string>

#include "device/device_connection.h"
#include "device/hid_device_manager.h"
#include "keys/keyboard_layout.h"
#include "shell/configuration.h"
#include "shell/console_status.h"

class ProfileStore;

// config.xml's models and modes into `status` and `manager`, then the layout
// of the start-up model, which opens that model's database in `store`.
// `program_dir` and `data_dir` end with "/".
void LoadModels(const std::string& program_dir, const std::string& data_dir, ProfileStore& store,
                Configuration& config, KeyboardLayout& layout, HidDeviceManager& manager,
                ConsoleStatus& status);

// The refresh and connection step (worker jobs 1 to 3 once the worker runs
// them) and the firmware version of the keyboard commands go to, reported.
void ScanDevices(DeviceConnection& connection, HidDeviceManager& manager, ConsoleStatus& status);
