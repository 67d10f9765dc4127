// Ensure drivers. A virtual device that opens is kept open: on uinput every new device is a new
// keyboard for the desktop, so it is made once and not again for each check.
#include "vkeyboard/driver_setup.h"

#include <cstdio>

#include <QorUI/manager.h>

namespace {
constexpr const char* kInstallScript = "install.sh";
constexpr const char* kElevate = "pkexec";
}  // namespace

DriverSetup::DriverSetup(VHidev& vhidev, KeyFilter& filter, ProcessRunner& runner,
                         std::string driver_folder)
    : m_vhidev(vhidev),
      m_filter(filter),
      m_runner(runner),
      m_driver_folder(std::move(driver_folder)) {}

std::string DriverSetup::DriverFolder(const std::string& program_folder) {
  return Manager::JoinPath(program_folder, "driver");
}

std::vector<std::string> DriverSetup::InstallCommand(const std::vector<UsbId>& keyboards) const {
  std::vector<std::string> argv = {kElevate, Manager::JoinPath(m_driver_folder, kInstallScript)};
  for (const UsbId& id : keyboards) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", id.vendor & 0xFFFF, id.product & 0xFFFF);
    argv.emplace_back(text);
  }
  return argv;
}

bool DriverSetup::AccessGranted() {
  const bool device = m_vhidev.IsOpen() || m_vhidev.Open();
  return device && m_filter.CheckAccess() != NodeAccess::kDenied;
}

bool DriverSetup::Install(const std::vector<UsbId>& keyboards) {
  return AccessGranted() || RunInstall(keyboards);
}

bool DriverSetup::RunInstall(const std::vector<UsbId>& keyboards) {
  return m_runner.Run(InstallCommand(keyboards)) && m_vhidev.EnsureOpen();
}

bool DriverSetup::EnsureDrivers(const std::vector<UsbId>& keyboards, MonitorProxy* handler,
                                DriverHost& host) {
  m_filter.SetKeyboards(keyboards);
  if (!AccessGranted()) RunInstall(keyboards);
  if (m_vhidev.EnsureOpen()) {
    m_vhidev.ReleaseAll();
    if (handler) m_filter.GetMonitor().RegisterProxy(handler);
    return true;
  }
  host.ShowDriverFailure(DriverFailureMessage{});
  host.EndProcess(0);
  return false;
}
