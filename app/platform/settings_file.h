// The per-user store of the program's settings: a small text file that
// stands where the Windows program kept its registry key. SettingsBackend is
// what the settings code talks to; SettingsFile is the real file, tests use
// an in-memory fake.
#pragma once

#include <string>
#include <string_view>

enum class SettingsReadStatus { kRead, kMissing, kFailed };

class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;
  // The whole stored text; kMissing when the store does not exist yet.
  virtual SettingsReadStatus Read(std::string& contents) = 0;
  // Creates an empty store (and the folder it lives in).
  virtual bool Create() = 0;
  // Replaces the stored text atomically.
  virtual bool Write(std::string_view contents) = 0;
};

class SettingsFile : public SettingsBackend {
 public:
  explicit SettingsFile(std::string path) : m_path(std::move(path)) {}

  SettingsReadStatus Read(std::string& contents) override;
  bool Create() override;
  bool Write(std::string_view contents) override;

 private:
  std::string m_path;
};
