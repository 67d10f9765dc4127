// The contents of config.xml: the device name (read first of all, before
// anything uses it), the keyboard models and their connection modes, and
// the product strings.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shell/device_sinks.h"
#include "shell/keyboard_model.h"

// The device type whose layout is loaded at start-up.
inline constexpr int kStartupDeviceType = 201;

struct ProductStrings {
  std::string version;
  std::string website_url;
  std::string store_url;
  std::string upgrade_url;
  std::string copyright;
};

struct Configuration {
  std::vector<KeyboardModel> models;  // file order
  std::vector<KeyboardMode> modes;    // file order across all models
  ProductStrings product;
};

// "<program folder>config.xml".
std::string ConfigurationFilePath(const std::string& program_dir);

// Reads `config`/`software`/`name` and makes it the device name. Leaves the
// library's default in force when the file, an element or the name is
// missing, and refuses a name that cannot be a file name (empty, ".", "..",
// or holding '/'), since the settings, data and lock paths are built from it.
void LoadDeviceName(const std::string& program_dir);

// Loads the layout of a device type (the keys subsystem's LayoutLoader). It
// runs after the model list is filled, so it may read `config.models`.
using LayoutLoadHook = std::function<void(int device_type)>;

// Fills `config` from config.xml in `program_dir`: every model goes to
// `devices`, every mode to `filters`, in file order; then `load_layout` runs
// for kStartupDeviceType. False when the file is missing, unreadable or not
// well-formed: the lists and strings are then empty (and no keyboard can be
// recognised), and the layout is still loaded.
bool LoadConfiguration(const std::string& program_dir, Configuration& config,
                       DeviceFilterSink& filters, DeviceListSink& devices,
                       const LayoutLoadHook& load_layout);

// Only the product strings, for `--version`; false as LoadConfiguration.
bool LoadProductStrings(const std::string& program_dir, ProductStrings& product);
