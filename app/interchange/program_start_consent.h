// Which profiles the user has allowed to start programs. Keys that open a
// program only arrive with imported profiles, from files of unknown origin,
// so such a key asks once per profile before its first start. The answers
// are kept in a small file beside the profile database.
#pragma once

#include <optional>
#include <set>
#include <string>

// Asks the user whether `program` may be started by the keys of the current
// profile; blocks until answered.
class ProgramStartQuestion {
 public:
  virtual ~ProgramStartQuestion() = default;
  virtual bool AllowProgramStart(const std::string& program) = 0;
};

class ProgramStartConsent {
 public:
  // The answers for the database at `database_path` (ProfileStore's path).
  explicit ProgramStartConsent(const std::string& database_path);

  bool IsConfirmed(int profile) const;
  // True when the answer is recorded.
  bool Confirm(int profile);
  // Forgets an earlier yes; true when no yes is left for `profile`.
  bool Revoke(int profile);

  // What a key that opens `program` calls before starting it: true when the
  // profile was confirmed before, or the user says yes now (which is kept).
  bool MayStart(int profile, const std::string& program, ProgramStartQuestion& question);

 private:
  // Nothing when the file is there but cannot be read.
  std::optional<std::set<int>> Load() const;
  bool Save(const std::set<int>& profiles) const;

  std::string m_path;
};
