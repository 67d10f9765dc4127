// Where LoadConfiguration hands what config.xml lists: each connection mode
// to the device manager, each model to the home page's device-status list.
#pragma once

#include <string>

class DeviceFilterSink {
 public:
  virtual ~DeviceFilterSink() = default;
  // One supported device: the vendor/product ids, the product name (empty
  // accepts any), the model's device type, the connection mode (0, 1, 2) and
  // the pattern its interface path contains.
  virtual void AddDeviceFilter(int vendor_id, int product_id, const std::string& product_name,
                               int device_type, int connection_mode,
                               const std::string& interface_pattern) = 0;
};

class DeviceListSink {
 public:
  virtual ~DeviceListSink() = default;
  // One model row; `a` and `b` are the two integers kept for the program
  // (the model's ids, always 0), `unavailable` starts the row greyed out.
  virtual void AddDevice(const std::string& name, int a, int b, int device_type,
                         bool unavailable) = 0;
};
