// A HID interface arriving or leaving, as the hot-plug monitor reports it, and
// the source of such notices (the libudev monitor, or a fake in tests).
#pragma once

#include <string>
#include <vector>

enum class NoticeKind { kArrival = 1, kRemoval = 2 };

struct DeviceNotice {
  NoticeKind kind = NoticeKind::kArrival;
  // The device's udev syspath, upper-cased, with its HID_ID appended (see
  // NoticePathFromSyspath); config.xml patterns are substrings of it.
  std::string path;
};

// The syspath names the HID device "BBBB:VVVV:PPPP.NNNN" (four hex digits each),
// while udev's HID_ID property, the form config.xml patterns are written in,
// is "BBBB:0000VVVV:0000PPPP". The notice path is the upper-cased syspath
// followed by " HID_ID=" and that property, rebuilt from the syspath so that it
// is there for removals too, when sysfs no longer has the device.
std::string NoticePathFromSyspath(const std::string& syspath);

class DeviceNoticeSource {
 public:
  virtual ~DeviceNoticeSource() = default;
  // A descriptor that becomes readable when notices wait (for the main loop's watch).
  virtual int Fd() const = 0;
  // The notices waiting now; empty when none.
  virtual std::vector<DeviceNotice> ReadNotices() = 0;
};
