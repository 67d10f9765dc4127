// Making sure the virtual keyboard and the key filter can work: the program needs to create a
// uinput device and to read the keyboard's event nodes. When it may not, the install script of
// the driver folder (udev rules giving the logged-in user access) is run through pkexec, and the
// program ends with a message when it still cannot make its virtual keyboard.
#pragma once

#include <string>
#include <vector>

#include "platform/keyboard_nodes.h"
#include "platform/process_runner.h"
#include "vkeyboard/key_filter.h"
#include "vkeyboard/vhidev.h"

// The message shown before the program ends.
struct DriverFailureMessage {
  std::string title = "Install Driver";
  std::string text = "InstallDriver Error!";
  std::string background = "bk_prompt.png";
  int width = 380;
  int height = 200;
};

class DriverHost {
 public:
  virtual ~DriverHost() = default;
  // Shows the program's message box, centred and modal, and returns once it was closed.
  virtual void ShowDriverFailure(const DriverFailureMessage& message) = 0;
  // Ends the process at once.
  virtual void EndProcess(int exit_code) = 0;
};

class DriverSetup {
 public:
  DriverSetup(VHidev& vhidev, KeyFilter& filter, ProcessRunner& runner, std::string driver_folder);

  // "<program folder>/driver".
  static std::string DriverFolder(const std::string& program_folder);
  // The command that installs the rules for `keyboards`: pkexec, the script, then one
  // "vvvv:pppp" (lower-case hex) per keyboard.
  std::vector<std::string> InstallCommand(const std::vector<UsbId>& keyboards) const;

  // True at once when the virtual device opens and the keyboard's nodes can be read; otherwise
  // runs the install command and, when it could be started, reports whether the virtual device
  // opens now.
  bool Install(const std::vector<UsbId>& keyboards);

  // Once, from the main window's initialisation. When the virtual keyboard can be made: every
  // virtual key is released, `handler` is registered with the key filter monitor and true is
  // returned. Otherwise the host shows the failure message, then ends the process with exit
  // code 0 (false is returned where EndProcess returns).
  bool EnsureDrivers(const std::vector<UsbId>& keyboards, MonitorProxy* handler, DriverHost& host);

 private:
  bool AccessGranted();
  bool RunInstall(const std::vector<UsbId>& keyboards);

  VHidev& m_vhidev;
  KeyFilter& m_filter;
  ProcessRunner& m_runner;
  std::string m_driver_folder;
};
