// Fakes at the platform boundary of the virtual keyboard and the key filter: a uinput sink that
// records every event with the time of a virtual clock and keeps which keys are down and on
// which the test sets lock lights as the desktop would, a VHidev wired to it, and a scripted key
// source that tells what the filter was asked to do.
#pragma once

#include <linux/input-event-codes.h>
#include <sys/eventfd.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/input_event_sink.h"
#include "platform/key_event_source.h"
#include "platform/unique_fd.h"
#include "sim/sim_clock.h"
#include "store/store_rows.h"
#include "vkeyboard/uinput_hid_device.h"
#include "vkeyboard/vhidev.h"

struct TimedEvent {
  std::chrono::microseconds time;
  InputEvent event;
};

// What reached the virtual device, across every device VHidev opened.
class EventLog {
 public:
  explicit EventLog(const Clock& clock) : m_clock(clock) {}

  void Add(const InputEvent& e) {
    std::lock_guard lock(m_lock);
    m_events.push_back({m_clock.Now(), e});
    if (e.type == EV_KEY) m_value[e.code] = e.value;
  }
  // Key events only, as "code:value" texts, in order.
  std::vector<std::string> Keys() const {
    std::lock_guard lock(m_lock);
    std::vector<std::string> out;
    for (const TimedEvent& t : m_events) {
      if (t.event.type == EV_KEY) {
        out.push_back(std::to_string(t.event.code) + ":" + std::to_string(t.event.value));
      }
    }
    return out;
  }
  // Times of the key events, in milliseconds since `origin`.
  std::vector<double> KeyTimes(std::chrono::microseconds origin = {}) const {
    std::lock_guard lock(m_lock);
    std::vector<double> out;
    for (const TimedEvent& t : m_events) {
      if (t.event.type == EV_KEY) out.push_back((t.time - origin).count() / 1000.0);
    }
    return out;
  }
  std::vector<TimedEvent> Events() const {
    std::lock_guard lock(m_lock);
    return m_events;
  }
  // Keys and buttons whose last event was not a release.
  std::set<int> HeldKeys() const {
    std::lock_guard lock(m_lock);
    std::set<int> held;
    for (const auto& [code, value] : m_value) {
      if (value != 0) held.insert(code);
    }
    return held;
  }
  void Clear() {
    std::lock_guard lock(m_lock);
    m_events.clear();
  }
  // A new device starts with nothing down.
  void DeviceRemoved() {
    std::lock_guard lock(m_lock);
    m_value.clear();
  }

 private:
  const Clock& m_clock;
  mutable std::mutex m_lock;
  std::vector<TimedEvent> m_events;
  std::map<int, int> m_value;
};

// Lock lights set on the virtual device by the desktop; the descriptor is readable while some
// wait to be taken, as uinput's is.
class DesktopLights {
 public:
  void Set(int code, bool on) {
    std::lock_guard lock(m_lock);
    m_pending.push_back({EV_LED, static_cast<std::uint16_t>(code), on ? 1 : 0});
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(m_fd.Get(), &one, sizeof one);
  }
  int Fd() const { return m_fd.Get(); }
  std::vector<InputEvent> Take() {
    std::lock_guard lock(m_lock);
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t n = read(m_fd.Get(), &count, sizeof count);
    return std::exchange(m_pending, {});
  }

 private:
  UniqueFd m_fd{eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)};
  std::mutex m_lock;
  std::vector<InputEvent> m_pending;
};

class RecordingSink final : public InputEventSink {
 public:
  RecordingSink(EventLog& log, DesktopLights& lights) : m_log(log), m_lights(lights) {}
  ~RecordingSink() override { m_log.DeviceRemoved(); }
  bool Emit(std::span<const InputEvent> events) override {
    for (const InputEvent& e : events) m_log.Add(e);
    return true;
  }
  int LightsFd() const override { return m_lights.Fd(); }
  std::vector<InputEvent> TakeLights() override { return m_lights.Take(); }

 private:
  EventLog& m_log;
  DesktopLights& m_lights;
};

// VHidev on a recording uinput sink and a virtual clock.
struct VirtualKeyboardRig {
  VirtualClock clock;
  EventLog log{clock};
  DesktopLights lights;
  bool can_open = true;
  int opened = 0;
  VHidev vhidev{[this]() -> std::unique_ptr<VirtualHidDevice> {
    if (!can_open) return nullptr;
    ++opened;
    return std::make_unique<UinputHidDevice>(std::make_unique<RecordingSink>(log, lights));
  }};
};

// A key source driven by the test: keys pushed by the test come out of Wait in order.
class ScriptedKeySource final : public KeyEventSource {
 public:
  // What the filter asked for, as texts ("table 4 5", "start", "stop").
  std::vector<std::string> calls;
  NodeAccess access = NodeAccess::kAllowed;
  std::vector<UsbId> keyboards;
  std::string hid_interface;

  void Push(std::vector<FilteredKey> keys) {
    std::lock_guard lock(m_lock);
    m_pending.push_back(std::move(keys));
    m_cv.notify_all();
  }
  // Waits until every pushed batch was handed out and handled (Wait was entered again).
  void WaitIdle() {
    std::unique_lock lock(m_lock);
    m_cv.wait(lock, [this] { return m_pending.empty() && m_waiting; });
  }
  bool Filtering() const { return m_filtering; }

  void SetKeyboards(const std::vector<UsbId>& k) override { keyboards = k; }
  void SetKeyboardInterface(const std::string& hid_path) override { hid_interface = hid_path; }
  NodeAccess CheckAccess() override { return access; }
  void SetKeyTable(const std::vector<int>& keys) override {
    std::string text = "table";
    for (int k : keys) text += " " + std::to_string(k);
    calls.push_back(text);
    if (keys.empty()) Stop();
  }
  int Start() override {
    calls.push_back("start");
    m_filtering = true;
    return 1;
  }
  void Stop() override {
    if (m_filtering) calls.push_back("stop");
    m_filtering = false;
  }
  WaitResult Wait(std::vector<FilteredKey>& keys) override {
    std::unique_lock lock(m_lock);
    m_waiting = true;
    m_cv.notify_all();
    m_cv.wait(lock, [this] { return !m_pending.empty() || m_interrupts > 0; });
    m_waiting = false;
    if (m_interrupts > 0) {
      m_interrupts = 0;
      return WaitResult::kInterrupted;
    }
    keys = std::move(m_pending.front());
    m_pending.pop_front();
    return WaitResult::kKeys;
  }
  void Interrupt() override {
    std::lock_guard lock(m_lock);
    ++m_interrupts;
    m_cv.notify_all();
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_cv;
  std::deque<std::vector<FilteredKey>> m_pending;
  int m_interrupts = 0;
  bool m_waiting = false;
  bool m_filtering = false;
};

inline KeyAssignmentRow Assignment(int key_code, int kind, int value) {
  KeyAssignmentRow row;
  row.key_code = key_code;
  row.macro_type = kind;
  row.macro_value = value;
  return row;
}
