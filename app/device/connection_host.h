// What a device refresh changes outside the device link: the main window
// controller's connection state and pages, the device-status control of the
// home page, and the worker queue. The main window implements it.
#pragma once

#include <cstdint>

// Worker job codes the device link queues.
inline constexpr int kJobDeviceArrival = 2;
inline constexpr int kJobDeviceRemoval = 3;
inline constexpr int kJobReloadPages = 5;
inline constexpr int kJobUpdateSteps = 13;

// The worker queue.
class WorkerJobSink {
 public:
  virtual ~WorkerJobSink() = default;
  virtual void EnqueueJob(int code) = 0;
};

class ConnectionHost : public WorkerJobSink {
 public:
  // The controller's flags: a configured mode was matched / a HID device was found.
  virtual void SetConnected(bool connected) = 0;
  virtual bool IsConnected() const = 0;
  virtual void SetAttached(bool attached) = 0;
  // The controller's device type (201 after the start-up layout load).
  virtual int GetDeviceType() const = 0;
  virtual void SetConnectionMode(int mode) = 0;
  // The last notice: its kind and the device type (arrival) or connection mode (removal) it named.
  virtual void SetNotice(int kind, int value) = 0;

  // The device-status control: no device shown / the keyboard of this type present.
  virtual void ResetDeviceStatus() = 0;
  virtual void SetDevicePresent(int device_type) = 0;

  // Items 1 to 4 of the main tab strip become visible.
  virtual void ShowDeviceTabs() = 0;
  virtual void SetCapabilityFlags(std::uint8_t flags) = 0;
  // The settings page's restore button (249).
  virtual void ShowRestoreButton() = 0;
  virtual void ShowNotConnected() = 0;
  // Shows the keyboard with tab item 1 (the key page) selected.
  virtual void ShowConnected() = 0;
};
