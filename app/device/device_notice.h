// A HID interface arriving or leaving, as the hot-plug monitor reports it, and
// the source of such notices (the libudev monitor, or a fake in tests).
#pragma once

#include <string>
#include <vector>

enum class NoticeKind { kArrival = 1, kRemoval = 2 };

struct DeviceNotice {
  NoticeKind kind = NoticeKind::kArrival;
  // The device's udev syspath, upper-cased; config.xml patterns are substrings of it.
  std::string path;
};

class DeviceNoticeSource {
 public:
  virtual ~DeviceNoticeSource() = default;
  // A descriptor that becomes readable when notices wait (for the main loop's watch).
  virtual int Fd() const = 0;
  // The notices waiting now; empty when none.
  virtual std::vector<DeviceNotice> ReadNotices() = 0;
};
