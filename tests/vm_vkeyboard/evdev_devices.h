// Evdev devices of the real-kernel tests and the latency benchmark: a uinput keyboard with the
// configured keyboard's ids that stands in for the physical one, a reader of any event node that
// does not grab it, and the search for a node by device name.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

inline constexpr int kVendor = 0x3554;
inline constexpr int kProduct = 0xF001;

// A uinput keyboard with the configured keyboard's ids, as the physical one.
class PhysicalKeyboard {
 public:
  PhysicalKeyboard() {
    libevdev* dev = libevdev_new();
    libevdev_set_name(dev, "Test physical keyboard");
    libevdev_set_id_bustype(dev, BUS_USB);
    libevdev_set_id_vendor(dev, kVendor);
    libevdev_set_id_product(dev, kProduct);
    libevdev_enable_event_type(dev, EV_KEY);
    for (unsigned code = KEY_ESC; code <= KEY_F12; ++code) {
      libevdev_enable_event_code(dev, EV_KEY, code, nullptr);
    }
    libevdev_enable_event_type(dev, EV_MSC);
    libevdev_enable_event_code(dev, EV_MSC, MSC_SCAN, nullptr);
    libevdev_enable_event_type(dev, EV_LED);
    for (unsigned code : {LED_NUML, LED_CAPSL, LED_SCROLLL}) {
      libevdev_enable_event_code(dev, EV_LED, code, nullptr);
    }
    libevdev_uinput_create_from_device(dev, LIBEVDEV_UINPUT_OPEN_MANAGED, &m_uidev);
    libevdev_free(dev);
  }
  ~PhysicalKeyboard() {
    if (m_uidev) libevdev_uinput_destroy(m_uidev);
  }
  bool Ok() const { return m_uidev != nullptr; }
  std::string Node() const { return libevdev_uinput_get_devnode(m_uidev); }

  // A key event with the scan code a USB keyboard sends before it.
  void Key(unsigned code, int value, int usage) {
    libevdev_uinput_write_event(m_uidev, EV_MSC, MSC_SCAN, 0x70000 | usage);
    libevdev_uinput_write_event(m_uidev, EV_KEY, code, value);
    libevdev_uinput_write_event(m_uidev, EV_SYN, SYN_REPORT, 0);
  }
  void Tap(unsigned code, int usage) {
    Key(code, 1, usage);
    Key(code, 0, usage);
  }

  // True when the lock light `code` was set to `on` on this keyboard before `wait` passed, as a
  // keyboard's LED output report would set it.
  bool LightSet(unsigned code, bool on, std::chrono::milliseconds wait) {
    const int fd = libevdev_uinput_get_fd(m_uidev);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd p{fd, POLLIN, 0};
      if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) != 1) return false;
      input_event ev{};
      if (read(fd, &ev, sizeof ev) != sizeof ev) return false;
      if (ev.type == EV_LED && ev.code == code && (ev.value != 0) == on) return true;
    }
  }

 private:
  libevdev_uinput* m_uidev = nullptr;
};

// Reads the key events of one evdev node, without grabbing it.
class NodeReader {
 public:
  explicit NodeReader(const std::string& node) {
    m_fd = open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd >= 0 && libevdev_new_from_fd(m_fd, &m_dev) == 0) {
      libevdev_set_clock_id(m_dev, CLOCK_MONOTONIC);
    }
  }
  ~NodeReader() {
    libevdev_free(m_dev);
    if (m_fd >= 0) close(m_fd);
  }
  bool Ok() const { return m_dev != nullptr; }

  // The next key event, stamped on the monotonic clock; none when the node went away or `wait`
  // passed first.
  std::optional<input_event> NextKey(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!m_gone) {
      input_event ev{};
      int rc;
      while ((rc = libevdev_next_event(m_dev, LIBEVDEV_READ_FLAG_NORMAL, &ev)) >= 0) {
        if (rc == LIBEVDEV_READ_STATUS_SUCCESS && ev.type == EV_KEY) return ev;
      }
      if (rc == -ENODEV) {
        m_gone = true;
        break;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd fd{m_fd, POLLIN, 0};
      poll(&fd, 1, static_cast<int>(left.count()));
    }
    return std::nullopt;
  }

  // Key events ("code:value") until `count` came, the node went away or `wait` passed.
  std::vector<std::string> Keys(std::size_t count, std::chrono::milliseconds wait) {
    std::vector<std::string> keys;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (keys.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      const std::optional<input_event> ev = NextKey(std::max(left, std::chrono::milliseconds(0)));
      if (!ev) break;
      keys.push_back(std::to_string(ev->code) + ":" + std::to_string(ev->value));
    }
    return keys;
  }

  bool Gone() const { return m_gone; }
  std::string Name() const { return m_dev ? libevdev_get_name(m_dev) : ""; }

 private:
  int m_fd = -1;
  libevdev* m_dev = nullptr;
  bool m_gone = false;
};

inline std::string FindNodeByName(const std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (DIR* dir = opendir("/dev/input")) {
      std::string found;
      while (dirent* e = readdir(dir)) {
        const std::string path = std::string("/dev/input/") + e->d_name;
        if (std::string(e->d_name).rfind("event", 0) == 0 && NodeReader(path).Name() == name) {
          found = path;
          break;
        }
      }
      closedir(dir);
      if (!found.empty()) return found;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return {};
}
