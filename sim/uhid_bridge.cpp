// The uhid bridge: device creation, the serving loop and report replies.
#include "sim/uhid_bridge.h"

#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "device/hid_backend.h"
#include "device/reports.h"

namespace {

// A vendor collection with 64-byte input and output reports and a 7-byte feature
// report, no report ids; `usage` tells the vendor interface (1) from the stream one (3).
std::vector<std::uint8_t> Descriptor(std::uint8_t usage) {
  return {0x06, 0x01,  0xFF,  // usage page 0xFF01
          0x09, usage,        // usage
          0xA1, 0x01,         // collection (application)
          0x15, 0x00,  0x26, 0xFF, 0x00, 0x75, 0x08,
          0x95, 0x40,  0x09, 0x01, 0x81, 0x02,  // input, 64 bytes
          0x95, 0x40,  0x09, 0x01, 0x91, 0x02,  // output, 64 bytes
          0x95, 0x07,  0x09, 0x01, 0xB1, 0x02,  // feature, 7 bytes
          0xC0};
}

bool WriteEvent(int fd, const uhid_event& ev) {
  return write(fd, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev);
}

// `phys` names the keyboard, as a USB path does: its two devices share it up
// to "/input".
int CreateDevice(std::uint16_t vendor_id, std::uint16_t product_id, std::uint8_t usage,
                 const char* name, const std::string& phys, std::string& error) {
  const int fd = open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    error = std::string("cannot open /dev/uhid: ") + std::strerror(errno);
    return -1;
  }
  uhid_event ev{};
  ev.type = UHID_CREATE2;
  std::snprintf(reinterpret_cast<char*>(ev.u.create2.name), sizeof ev.u.create2.name, "%s", name);
  std::snprintf(reinterpret_cast<char*>(ev.u.create2.phys), sizeof ev.u.create2.phys, "%s",
                phys.c_str());
  const std::vector<std::uint8_t> rd = Descriptor(usage);
  std::memcpy(ev.u.create2.rd_data, rd.data(), rd.size());
  ev.u.create2.rd_size = static_cast<std::uint16_t>(rd.size());
  ev.u.create2.bus = 0x03;  // USB, so the HID_ID in the syspath reads 0003:VVVV:PPPP
  ev.u.create2.vendor = vendor_id;
  ev.u.create2.product = product_id;
  ev.u.create2.version = 0x0100;
  if (!WriteEvent(fd, ev)) {
    error = std::string("UHID_CREATE2 failed: ") + std::strerror(errno);
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::unique_ptr<UhidBridge> UhidBridge::Create(std::uint16_t vendor_id, std::uint16_t product_id,
                                               SimFamily family, std::string& error) {
  static std::atomic<int> bridges{0};
  const std::string phys =
      "tervane-sim-" + std::to_string(getpid()) + "-" + std::to_string(++bridges);
  const int main_fd =
      CreateDevice(vendor_id, product_id, kVendorUsage, "Tervane sim", phys + "/input0", error);
  if (main_fd < 0) return nullptr;
  const int aux_fd = CreateDevice(vendor_id, product_id, kVirtualAuxUsage, "Tervane sim stream",
                                  phys + "/input3", error);
  if (aux_fd < 0) {
    close(main_fd);
    return nullptr;
  }
  const int stop_fd = eventfd(0, EFD_CLOEXEC);
  if (stop_fd < 0) {
    error = "eventfd failed";
    close(main_fd);
    close(aux_fd);
    return nullptr;
  }
  return std::unique_ptr<UhidBridge>(new UhidBridge(main_fd, aux_fd, stop_fd, family));
}

UhidBridge::UhidBridge(int main_fd, int aux_fd, int stop_fd, SimFamily family)
    : m_main_fd(main_fd), m_aux_fd(aux_fd), m_stop_fd(stop_fd), m_firmware(family) {
  m_thread = std::thread([this] { Run(); });
}

UhidBridge::~UhidBridge() {
  const std::uint64_t one = 1;
  if (write(m_stop_fd, &one, sizeof one) < 0) std::perror("uhid bridge stop");
  m_thread.join();
  for (int fd : {m_main_fd, m_aux_fd}) {
    uhid_event ev{};
    ev.type = UHID_DESTROY;
    WriteEvent(fd, ev);
    close(fd);
  }
  close(m_stop_fd);
}

KeyboardState UhidBridge::GetState() const {
  std::lock_guard<std::mutex> lock(m_firmware_lock);
  return m_firmware.State();
}

KeyboardState UhidBridge::WaitForState(const std::function<bool(const KeyboardState&)>& reached,
                                       std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(m_firmware_lock);
  m_firmware_changed.wait_for(lock, timeout, [&] { return reached(m_firmware.State()); });
  return m_firmware.State();
}

void UhidBridge::SetReadBehaviour(ReadBehaviour behaviour) {
  std::lock_guard<std::mutex> lock(m_firmware_lock);
  m_firmware.SetReadBehaviour(behaviour);
}

void UhidBridge::SetFirmwareVersion(std::uint16_t version) {
  std::lock_guard<std::mutex> lock(m_firmware_lock);
  m_firmware.State().firmware_version = version;
}

void UhidBridge::Run() {
  for (;;) {
    pollfd fds[3] = {{m_main_fd, POLLIN, 0}, {m_aux_fd, POLLIN, 0}, {m_stop_fd, POLLIN, 0}};
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[2].revents != 0) return;
    if (fds[0].revents & POLLIN) Serve(m_main_fd, false);
    if (fds[1].revents & POLLIN) Serve(m_aux_fd, true);
  }
}

void UhidBridge::Serve(int fd, bool aux) {
  uhid_event ev{};
  if (read(fd, &ev, sizeof ev) <= 0) return;
  std::lock_guard<std::mutex> lock(m_firmware_lock);
  // Waiters check again once the lock is released at the end of this report.
  m_firmware_changed.notify_all();
  switch (ev.type) {
    case UHID_OUTPUT:
      m_firmware.HandleOutput(ev.u.output.data, ev.u.output.size, aux);
      break;
    case UHID_SET_REPORT: {
      const std::uint32_t id = ev.u.set_report.id;
      if (ev.u.set_report.rtype == UHID_FEATURE_REPORT) {
        m_firmware.HandleSetFeature(ev.u.set_report.data, ev.u.set_report.size);
      }
      uhid_event reply{};
      reply.type = UHID_SET_REPORT_REPLY;
      reply.u.set_report_reply.id = id;
      reply.u.set_report_reply.err = 0;
      WriteEvent(fd, reply);
      break;
    }
    case UHID_GET_REPORT: {
      uhid_event reply{};
      reply.type = UHID_GET_REPORT_REPLY;
      reply.u.get_report_reply.id = ev.u.get_report.id;
      std::uint8_t data[kFeatureReportSize] = {ev.u.get_report.rnum};
      const int n = ev.u.get_report.rtype == UHID_FEATURE_REPORT
                        ? m_firmware.HandleGetFeature(data, sizeof data)
                        : -1;
      if (n < 0) {
        reply.u.get_report_reply.err = EIO;
      } else {
        reply.u.get_report_reply.size = static_cast<std::uint16_t>(n);
        std::memcpy(reply.u.get_report_reply.data, data, static_cast<std::size_t>(n));
      }
      WriteEvent(fd, reply);
      break;
    }
    default:
      break;  // start, stop, open, close
  }
}
