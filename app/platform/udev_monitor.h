// The hot-plug monitor: a libudev monitor on the hidraw subsystem whose add and
// remove events become device notices.
#pragma once

#include <memory>

#include "device/device_notice.h"

enum class UdevEventSource {
  // Events after udevd has processed them (a normal desktop).
  kUdev,
  // Events straight from the kernel (a system without udevd, such as the test VM).
  kKernel,
};

// Null when the monitor cannot be created or started.
std::unique_ptr<DeviceNoticeSource> CreateUdevMonitor(
    UdevEventSource source = UdevEventSource::kUdev);
