// Locked access to the update strings.
#include "update/update_state.h"

void UpdateState::SetProgramInfo(const std::string& current_version,
                                 const std::string& update_link) {
  const std::lock_guard lock(m_strings_lock);
  m_current_version = current_version;
  m_update_link = update_link;
}

void UpdateState::SetFirmwareLink(const std::string& link) {
  const std::lock_guard lock(m_strings_lock);
  m_firmware_link = link;
}

std::string UpdateState::CurrentVersion() const {
  const std::lock_guard lock(m_strings_lock);
  return m_current_version;
}

std::string UpdateState::Link(UpdateTarget target) const {
  const std::lock_guard lock(m_strings_lock);
  return target == UpdateTarget::kProgram ? m_update_link : m_firmware_link;
}

std::string UpdateState::LatestVersion(UpdateTarget target) const {
  const std::lock_guard lock(m_strings_lock);
  return target == UpdateTarget::kProgram ? m_latest_program : m_latest_firmware;
}

void UpdateState::SetLatestVersion(UpdateTarget target, const std::string& version) {
  const std::lock_guard lock(m_strings_lock);
  (target == UpdateTarget::kProgram ? m_latest_program : m_latest_firmware) = version;
}
