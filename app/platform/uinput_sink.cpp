// The virtual device on uinput through libevdev: a keyboard, consumer-control and mouse-button
// device that the desktop treats like any other keyboard, lock lights included (what the desktop
// sets on them is read back from the uinput descriptor). Closing it removes the device, and the
// kernel then releases whatever it still held down, also when the process dies.
#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/evdev_codes.h"
#include "platform/input_event_sink.h"

static_assert(kEventSyn == EV_SYN && kEventKey == EV_KEY && kSynReport == SYN_REPORT);

namespace {

struct EvdevDeleter {
  void operator()(libevdev* dev) const { libevdev_free(dev); }
};
struct UinputDeleter {
  void operator()(libevdev_uinput* uidev) const { libevdev_uinput_destroy(uidev); }
};

class UinputSink final : public InputEventSink {
 public:
  UinputSink(int fd, std::unique_ptr<libevdev_uinput, UinputDeleter> uidev)
      : m_fd(fd), m_uidev(std::move(uidev)) {}
  ~UinputSink() override {
    m_uidev.reset();
    close(m_fd);
  }

  bool Emit(std::span<const InputEvent> events) override {
    for (const InputEvent& e : events) {
      if (libevdev_uinput_write_event(m_uidev.get(), e.type, e.code, e.value) != 0) return false;
    }
    return true;
  }

  int LightsFd() const override { return m_fd; }

  std::vector<InputEvent> TakeLights() override {
    std::vector<InputEvent> lights;
    input_event events[16];
    ssize_t n = 0;
    while ((n = read(m_fd, events, sizeof events)) > 0) {
      for (std::size_t i = 0; i < static_cast<std::size_t>(n) / sizeof(input_event); ++i) {
        // The descriptor also tells of other settings (auto-repeat); only the lights matter.
        if (events[i].type == EV_LED) {
          lights.push_back({events[i].type, events[i].code, events[i].value});
        }
      }
    }
    return lights;
  }

 private:
  int m_fd;
  std::unique_ptr<libevdev_uinput, UinputDeleter> m_uidev;
};

std::unique_ptr<libevdev, EvdevDeleter> DescribeDevice(const std::string& name) {
  std::unique_ptr<libevdev, EvdevDeleter> dev(libevdev_new());
  if (!dev) return nullptr;
  libevdev_set_name(dev.get(), name.c_str());
  libevdev_set_id_bustype(dev.get(), BUS_VIRTUAL);
  libevdev_set_id_vendor(dev.get(), kVirtualDeviceVendor);
  libevdev_set_id_product(dev.get(), kVirtualDeviceProduct);
  libevdev_set_id_version(dev.get(), 1);
  libevdev_enable_event_type(dev.get(), EV_KEY);
  for (int code : VirtualDeviceKeyCodes()) {
    libevdev_enable_event_code(dev.get(), EV_KEY, static_cast<unsigned>(code), nullptr);
  }
  // Mouse buttons alone do not make a pointer for the desktop; the axes do, and they also carry
  // a keyboard's wheel or knob through.
  libevdev_enable_event_type(dev.get(), EV_REL);
  for (unsigned code : {REL_X, REL_Y, REL_HWHEEL, REL_WHEEL}) {
    libevdev_enable_event_code(dev.get(), EV_REL, code, nullptr);
  }
  libevdev_enable_event_type(dev.get(), EV_MSC);
  libevdev_enable_event_code(dev.get(), EV_MSC, MSC_SCAN, nullptr);
  // Kernel auto-repeat: a remapped key held down repeats like a real one.
  const int delay = 250;
  const int period = 33;
  libevdev_enable_event_type(dev.get(), EV_REP);
  libevdev_enable_event_code(dev.get(), EV_REP, REP_DELAY, &delay);
  libevdev_enable_event_code(dev.get(), EV_REP, REP_PERIOD, &period);
  // A keyboard's lock lights: the desktop sets them on the device its lock keys came from, and
  // the key filter copies them to the grabbed keyboard.
  libevdev_enable_event_type(dev.get(), EV_LED);
  for (unsigned code : {LED_NUML, LED_CAPSL, LED_SCROLLL, LED_COMPOSE, LED_KANA}) {
    libevdev_enable_event_code(dev.get(), EV_LED, code, nullptr);
  }
  return dev;
}

}  // namespace

std::unique_ptr<InputEventSink> OpenUinputSink(const std::string& name, std::string& error) {
  // Non-blocking so that taking the lights ends once none are left; writes never block.
  const int fd = open("/dev/uinput", O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = std::string("cannot open /dev/uinput: ") + std::strerror(errno);
    return nullptr;
  }
  std::unique_ptr<libevdev, EvdevDeleter> dev = DescribeDevice(name);
  libevdev_uinput* raw = nullptr;
  const int rc = dev ? libevdev_uinput_create_from_device(dev.get(), fd, &raw) : -ENOMEM;
  if (rc != 0) {
    error = std::string("cannot create the uinput device: ") + std::strerror(-rc);
    close(fd);
    return nullptr;
  }
  return std::make_unique<UinputSink>(fd, std::unique_ptr<libevdev_uinput, UinputDeleter>(raw));
}
