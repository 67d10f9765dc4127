// A ConnectionHost that records what a refresh and the notices did to the
// controller, the device-status control and the worker queue. Safe to call
// from several threads, as the worker and the main loop both reach it.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "device/connection_host.h"

class RecordingHost final : public ConnectionHost {
 public:
  // Guards the records below while calls may still arrive; tests read them after.
  mutable std::mutex records_lock;
  std::vector<std::string> calls;
  std::vector<int> jobs;
  bool connected = false;
  int device_type = 201;
  int connection_mode = -9;

  void EnqueueJob(int code) override {
    std::lock_guard<std::mutex> lock(records_lock);
    jobs.push_back(code);
  }
  void SetConnected(bool c) override {
    std::lock_guard<std::mutex> lock(records_lock);
    connected = c;
  }
  bool IsConnected() const override {
    std::lock_guard<std::mutex> lock(records_lock);
    return connected;
  }
  void SetAttached(bool a) override { Call(a ? "attached" : "detached"); }
  int GetDeviceType() const override {
    std::lock_guard<std::mutex> lock(records_lock);
    return device_type;
  }
  void SetConnectionMode(int mode) override {
    std::lock_guard<std::mutex> lock(records_lock);
    connection_mode = mode;
  }
  void SetNotice(int kind, int value) override {
    Call("notice " + std::to_string(kind) + " " + std::to_string(value));
  }
  void ResetDeviceStatus() override { Call("reset status"); }
  void SetDevicePresent(int type) override { Call("present " + std::to_string(type)); }
  void ShowDeviceTabs() override { Call("tabs"); }
  void SetCapabilityFlags(std::uint8_t flags) override { Call("flags " + std::to_string(flags)); }
  void ShowRestoreButton() override { Call("restore"); }
  void ShowNotConnected() override { Call("not connected"); }
  void ShowConnected() override { Call("connected"); }

 private:
  void Call(std::string call) {
    std::lock_guard<std::mutex> lock(records_lock);
    calls.push_back(std::move(call));
  }
};
