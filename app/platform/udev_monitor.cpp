// DeviceNoticeSource over libudev. The descriptor is non-blocking, so reading
// notices never waits; the main loop watches it.
#include "platform/udev_monitor.h"

#include <libudev.h>

#include <cstring>

namespace {

struct UdevDeleter {
  void operator()(udev* u) const { udev_unref(u); }
};
struct MonitorDeleter {
  void operator()(udev_monitor* m) const { udev_monitor_unref(m); }
};
struct DeviceDeleter {
  void operator()(udev_device* d) const { udev_device_unref(d); }
};

class UdevMonitor final : public DeviceNoticeSource {
 public:
  UdevMonitor(std::unique_ptr<udev, UdevDeleter> context,
              std::unique_ptr<udev_monitor, MonitorDeleter> monitor)
      : m_udev(std::move(context)), m_monitor(std::move(monitor)) {}

  int Fd() const override { return udev_monitor_get_fd(m_monitor.get()); }

  std::vector<DeviceNotice> ReadNotices() override {
    std::vector<DeviceNotice> notices;
    for (;;) {
      std::unique_ptr<udev_device, DeviceDeleter> device(
          udev_monitor_receive_device(m_monitor.get()));
      if (!device) break;
      const char* action = udev_device_get_action(device.get());
      const char* syspath = udev_device_get_syspath(device.get());
      if (action == nullptr || syspath == nullptr) continue;
      DeviceNotice notice;
      if (std::strcmp(action, "add") == 0) {
        notice.kind = NoticeKind::kArrival;
      } else if (std::strcmp(action, "remove") == 0) {
        notice.kind = NoticeKind::kRemoval;
      } else {
        continue;
      }
      notice.path = NoticePathFromSyspath(syspath);
      notices.push_back(std::move(notice));
    }
    return notices;
  }

 private:
  std::unique_ptr<udev, UdevDeleter> m_udev;
  std::unique_ptr<udev_monitor, MonitorDeleter> m_monitor;
};

}  // namespace

std::unique_ptr<DeviceNoticeSource> CreateUdevMonitor(UdevEventSource source) {
  std::unique_ptr<udev, UdevDeleter> context(udev_new());
  if (!context) return nullptr;
  const char* name = source == UdevEventSource::kKernel ? "kernel" : "udev";
  std::unique_ptr<udev_monitor, MonitorDeleter> monitor(
      udev_monitor_new_from_netlink(context.get(), name));
  if (!monitor) return nullptr;
  if (udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor.get()) < 0) {
    return nullptr;
  }
  return std::make_unique<UdevMonitor>(std::move(context), std::move(monitor));
}
