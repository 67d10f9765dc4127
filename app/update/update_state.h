// The version texts and links of the update checks, held for the main
// window: written by the start-up and layout loading on the user-interface
// thread and by the checks on the worker, read by both.
#pragma once

#include <mutex>
#include <string>

#include "update/update_names.h"

class UpdateState {
 public:
  // From config.xml: the running program's version and the update link.
  void SetProgramInfo(const std::string& current_version, const std::string& update_link);
  // From the keyboard's layout file.
  void SetFirmwareLink(const std::string& link);

  std::string CurrentVersion() const;
  // The update link of `target`'s kind.
  std::string Link(UpdateTarget target) const;

  // The last accepted replies of the two checks; empty until then.
  std::string LatestVersion(UpdateTarget target) const;
  void SetLatestVersion(UpdateTarget target, const std::string& version);

 private:
  mutable std::mutex m_strings_lock;
  std::string m_current_version;
  std::string m_update_link;
  std::string m_firmware_link;
  std::string m_latest_program;
  std::string m_latest_firmware;
};
