// The confirmed profiles as one decimal id per line, replaced atomically.
#include "interchange/program_start_consent.h"

#include <sstream>

#include "QorUI/text.h"
#include "platform/file_io.h"

namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20;

}  // namespace

ProgramStartConsent::ProgramStartConsent(const std::string& database_path)
    : m_path(database_path + ".programs") {}

std::optional<std::set<int>> ProgramStartConsent::Load() const {
  std::string bytes;
  std::set<int> profiles;
  switch (ReadWholeFile(m_path, kMaxFileBytes, bytes)) {
    case FileReadStatus::kOk:
      break;
    case FileReadStatus::kMissing:
      return profiles;
    case FileReadStatus::kTooLarge:
    case FileReadStatus::kFailed:
      return std::nullopt;
  }
  std::istringstream lines(bytes);
  for (std::string line; std::getline(lines, line);) {
    const int profile = text::ParseDecimal(line);
    if (profile > 0) profiles.insert(profile);
  }
  return profiles;
}

bool ProgramStartConsent::Save(const std::set<int>& profiles) const {
  std::string bytes;
  for (int profile : profiles) bytes += std::to_string(profile) + "\n";
  return WriteFileAtomically(m_path, bytes);
}

bool ProgramStartConsent::IsConfirmed(int profile) const {
  const std::optional<std::set<int>> profiles = Load();
  return profiles && profiles->contains(profile);
}

bool ProgramStartConsent::Confirm(int profile) {
  std::set<int> profiles = Load().value_or(std::set<int>());
  return !profiles.insert(profile).second || Save(profiles);
}

bool ProgramStartConsent::Revoke(int profile) {
  std::optional<std::set<int>> profiles = Load();
  return profiles && (profiles->erase(profile) == 0 || Save(*profiles));
}

bool ProgramStartConsent::MayStart(int profile, const std::string& program,
                                   ProgramStartQuestion& question) {
  if (IsConfirmed(profile)) return true;
  if (!question.AllowProgramStart(program)) return false;
  Confirm(profile);
  return true;
}
