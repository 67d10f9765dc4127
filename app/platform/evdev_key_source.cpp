// The key filter on evdev. Each of the keyboard's event nodes is grabbed (EVIOCGRAB), so its
// events reach only this process; keys of the table are reported, everything else is written on
// through the virtual device frame by frame. A node is grabbed only while none of its keys is
// down: grabbing a held key would leave the desktop waiting for a release it never gets. The
// grab ends with the descriptor, so it also ends when the process dies. While a node is grabbed,
// the lock lights the desktop sets on the virtual device are written to it in turn.
#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <linux/input-event-codes.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <bitset>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <string>

#include "platform/evdev_codes.h"
#include "platform/key_event_source.h"
#include "platform/unique_fd.h"

namespace {

constexpr int kKeyboardPage = 0x07;

std::int64_t MonotonicMicros() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

std::int64_t EventMicros(const input_event& ev) {
  return static_cast<std::int64_t>(ev.input_event_sec) * 1000000 + ev.input_event_usec;
}

struct EvdevDeleter {
  void operator()(libevdev* dev) const { libevdev_free(dev); }
};

// One open event node and what has been read of its current frame.
struct EvdevNode {
  UniqueFd fd;
  std::unique_ptr<libevdev, EvdevDeleter> dev;
  bool grabbed = false;
  bool syncing = false;
  bool dead = false;
  bool frame_has_keys = false;
  int last_scan = -1;
  // Events stamped before the grab were seen by everyone else too and are not passed on again.
  std::int64_t grab_time_us = 0;
  std::vector<InputEvent> frame;
  std::bitset<KEY_CNT> forwarded_down;

  bool AnyKeyDown() const {
    for (unsigned code = 0; code < KEY_CNT; ++code) {
      if (libevdev_has_event_code(dev.get(), EV_KEY, code) &&
          libevdev_get_event_value(dev.get(), EV_KEY, code) != 0) {
        return true;
      }
    }
    return false;
  }

  void TryGrab() {
    if (AnyKeyDown()) return;
    grab_time_us = MonotonicMicros();
    grabbed = libevdev_grab(dev.get(), LIBEVDEV_GRAB) == 0;
  }
};

std::unique_ptr<EvdevNode> OpenNode(const std::string& path) {
  auto node = std::make_unique<EvdevNode>();
  // Written to for the lock lights; a node that may only be read is filtered all the same.
  node->fd = UniqueFd(open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
  if (!node->fd) node->fd = UniqueFd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!node->fd) return nullptr;
  libevdev* dev = nullptr;
  if (libevdev_new_from_fd(node->fd.Get(), &dev) != 0) return nullptr;
  node->dev.reset(dev);
  libevdev_set_clock_id(dev, CLOCK_MONOTONIC);
  return node;
}

// The usage of a key event: the scan code before it when that names a keyboard usage giving the
// same key (it tells 0x31 from 0x32), otherwise the table's usage for the key.
int UsageOfKey(int code, int last_scan) {
  if (last_scan >= 0 && (last_scan >> 16) == kKeyboardPage) {
    const int usage = last_scan & 0xFFFF;
    if (usage < 256 && EvdevKeyFromKeyboardUsage(usage) == code) return usage;
  }
  return KeyboardUsageFromEvdevKey(code);
}

class EvdevKeySource final : public KeyEventSource {
 public:
  explicit EvdevKeySource(InputForwarder& forwarder)
      : m_forwarder(forwarder), m_wake(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
  ~EvdevKeySource() override { Stop(); }

  void SetKeyboards(const std::vector<UsbId>& keyboards) override { m_keyboards = keyboards; }
  void SetKeyboardInterface(const std::string& hid_path) override { m_interface = hid_path; }

  NodeAccess CheckAccess() override {
    const std::vector<std::string> paths = FindNodes();
    if (paths.empty()) return NodeAccess::kNoKeyboard;
    for (const std::string& path : paths) {
      if (!UniqueFd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))) {
        return NodeAccess::kDenied;
      }
    }
    return NodeAccess::kAllowed;
  }

  void SetKeyTable(const std::vector<int>& key_codes) override {
    m_table.reset();
    for (int code : key_codes) {
      if (code > 0 && code < static_cast<int>(m_table.size())) m_table.set(code);
    }
    if (key_codes.empty()) Stop();
  }

  int Start() override {
    Stop();
    for (const std::string& path : FindNodes()) {
      std::unique_ptr<EvdevNode> node = OpenNode(path);
      if (!node) continue;
      node->TryGrab();
      m_nodes.push_back(std::move(node));
    }
    return static_cast<int>(m_nodes.size());
  }

  void Stop() override {
    for (auto& node : m_nodes) Release(*node);
    m_nodes.clear();
  }

  WaitResult Wait(std::vector<FilteredKey>& keys) override {
    keys.clear();
    for (;;) {
      for (auto& node : m_nodes) {
        ReadNode(*node, keys);
        if (!keys.empty()) break;
      }
      DropDeadNodes();
      if (!keys.empty()) return WaitResult::kKeys;
      if (WaitReadable()) return WaitResult::kInterrupted;
    }
  }

  void Interrupt() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(m_wake.Get(), &one, sizeof one);
  }

 private:
  std::vector<std::string> FindNodes() const {
    // Looked up again each time: the interface's USB device changes when it is plugged again.
    return SelectKeyboardNodes(ListInputEventNodes(), m_keyboards, UsbDeviceOfHidNode(m_interface));
  }

  // Blocks until a node or the wake-up descriptor is readable, copying lock lights meanwhile;
  // true for a wake-up.
  bool WaitReadable() {
    std::vector<pollfd> fds;
    fds.push_back({m_wake.Get(), POLLIN, 0});
    // Asked each time: the virtual device may have been made again since.
    fds.push_back({m_forwarder.LightsFd(), POLLIN, 0});
    for (auto& node : m_nodes) fds.push_back({node->fd.Get(), POLLIN, 0});
    while (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno != EINTR) return true;
    }
    if (fds[1].revents != 0) CopyLights();
    if ((fds[0].revents & POLLIN) == 0) return false;
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t n = read(m_wake.Get(), &count, sizeof count);
    return true;
  }

  // Reads the node's events until it has none left or a frame with keys of the table ended, so
  // that those keys are handled before anything the keyboard sent after them.
  void ReadNode(EvdevNode& node, std::vector<FilteredKey>& keys) {
    for (;;) {
      const int pending = libevdev_has_event_pending(node.dev.get());
      if (pending < 0) node.dead = true;
      if (pending <= 0) return;
      input_event ev{};
      const unsigned flags = node.syncing ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL;
      const int rc = libevdev_next_event(node.dev.get(), flags, &ev);
      if (rc == -EAGAIN) {
        if (!node.syncing) return;
        node.syncing = false;
        continue;
      }
      if (rc < 0) {
        node.dead = true;
        return;
      }
      if (rc == LIBEVDEV_READ_STATUS_SYNC && !node.syncing) {
        // SYN_DROPPED: the state changes the kernel could not queue follow as sync events.
        node.syncing = true;
        continue;
      }
      if (node.grabbed && EventMicros(ev) < node.grab_time_us) continue;
      if (Handle(node, {ev.type, ev.code, ev.value}, keys)) return;
    }
  }

  // True when a frame that held keys of the table has just ended.
  bool Handle(EvdevNode& node, const InputEvent& ev, std::vector<FilteredKey>& keys) {
    if (!node.grabbed) {
      if (ev.type == EV_SYN && ev.code == SYN_REPORT) node.TryGrab();
      return false;
    }
    switch (ev.type) {
      case EV_SYN:
        return ev.code == SYN_REPORT && EndFrame(node, ev);
      case EV_MSC:
        if (ev.code == MSC_SCAN) node.last_scan = ev.value;
        node.frame.push_back(ev);
        return false;
      case EV_KEY:
        HandleKey(node, ev, keys);
        return false;
      case EV_LED:
      case EV_SND:
      case EV_REP:
      case EV_FF:
      case EV_PWR:
      case EV_FF_STATUS:
        // Settings and outputs of the device itself, not input to pass on.
        return false;
      default:
        node.frame.push_back(ev);
        return false;
    }
  }

  void HandleKey(EvdevNode& node, const InputEvent& ev, std::vector<FilteredKey>& keys) {
    const int usage = UsageOfKey(ev.code, node.last_scan);
    node.last_scan = -1;
    if (usage > 0 && m_table.test(static_cast<std::size_t>(usage))) {
      if (!node.frame.empty() && node.frame.back().type == EV_MSC &&
          node.frame.back().code == MSC_SCAN) {
        node.frame.pop_back();
      }
      // A held key of the table acts once; what it was given repeats on the virtual device.
      if (ev.value != kKeyValueRepeat) {
        keys.push_back({usage, ev.value != kKeyValueUp});
        node.frame_has_keys = true;
      }
      return;
    }
    // The virtual device repeats held keys itself; passing the keyboard's repeats on as well
    // would double them.
    if (ev.value == kKeyValueRepeat) return;
    node.forwarded_down.set(ev.code, ev.value != kKeyValueUp);
    node.frame.push_back(ev);
  }

  bool EndFrame(EvdevNode& node, const InputEvent& syn) {
    if (!node.frame.empty()) {
      node.frame.push_back(syn);
      m_forwarder.Forward(node.frame);
      node.frame.clear();
    }
    node.last_scan = -1;
    return std::exchange(node.frame_has_keys, false);
  }

  // While a node is grabbed, the kernel drops what other input handlers (the console) write to
  // it, and a desktop that keeps lock state per keyboard sets the lights of the virtual device,
  // where the lock keys came from. So the lights go to the keyboard from here.
  void CopyLights() {
    for (const InputEvent& light : m_forwarder.TakeLights()) {
      for (auto& node : m_nodes) {
        if (!libevdev_has_event_code(node->dev.get(), EV_LED, light.code)) continue;
        // Fails on a node opened read-only, which then keeps the lights it has.
        libevdev_kernel_set_led_value(node->dev.get(), light.code,
                                      light.value ? LIBEVDEV_LED_ON : LIBEVDEV_LED_OFF);
      }
    }
  }

  void Release(EvdevNode& node) {
    if (node.grabbed) {
      std::vector<InputEvent> up;
      for (std::size_t code = 0; code < node.forwarded_down.size(); ++code) {
        if (node.forwarded_down.test(code)) {
          up.push_back({EV_KEY, static_cast<std::uint16_t>(code), kKeyValueUp});
        }
      }
      if (!up.empty()) {
        up.push_back({EV_SYN, SYN_REPORT, 0});
        m_forwarder.Forward(up);
      }
      libevdev_grab(node.dev.get(), LIBEVDEV_UNGRAB);
    }
    node.grabbed = false;
    node.forwarded_down.reset();
    node.frame.clear();
  }

  void DropDeadNodes() {
    std::erase_if(m_nodes, [this](const std::unique_ptr<EvdevNode>& node) {
      if (node->dead) Release(*node);
      return node->dead;
    });
  }

  InputForwarder& m_forwarder;
  std::vector<UsbId> m_keyboards;
  std::string m_interface;
  std::bitset<256> m_table;
  std::vector<std::unique_ptr<EvdevNode>> m_nodes;
  UniqueFd m_wake;
};

}  // namespace

std::unique_ptr<KeyEventSource> MakeEvdevKeySource(InputForwarder& forwarder) {
  return std::make_unique<EvdevKeySource>(forwarder);
}
