// A ConnectionHost that records what a refresh and the notices did to the
// controller, the device-status control and the worker queue.
#pragma once

#include <string>
#include <vector>

#include "device/connection_host.h"

class RecordingHost final : public ConnectionHost {
 public:
  std::vector<std::string> calls;
  std::vector<int> jobs;
  bool connected = false;
  int device_type = 201;
  int connection_mode = -9;

  void EnqueueJob(int code) override { jobs.push_back(code); }
  void SetConnected(bool c) override { connected = c; }
  bool IsConnected() const override { return connected; }
  void SetAttached(bool a) override { calls.push_back(a ? "attached" : "detached"); }
  int GetDeviceType() const override { return device_type; }
  void SetConnectionMode(int mode) override { connection_mode = mode; }
  void SetNotice(int kind, int value) override {
    calls.push_back("notice " + std::to_string(kind) + " " + std::to_string(value));
  }
  void ResetDeviceStatus() override { calls.push_back("reset status"); }
  void SetDevicePresent(int type) override { calls.push_back("present " + std::to_string(type)); }
  void ShowDeviceTabs() override { calls.push_back("tabs"); }
  void SetCapabilityFlags(std::uint8_t flags) override {
    calls.push_back("flags " + std::to_string(flags));
  }
  void ShowRestoreButton() override { calls.push_back("restore"); }
  void ShowNotConnected() override { calls.push_back("not connected"); }
  void ShowConnected() override { calls.push_back("connected"); }
};
