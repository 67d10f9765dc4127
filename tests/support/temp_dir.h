// A fresh directory under the system's temporary folder, removed with its
// contents when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tervane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
  }

  const std::string& path() const { return m_path; }
  std::string File(std::string_view name) const { return m_path + "/" + std::string(name); }

  // Writes `bytes` to `name` (creating parent folders) and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = File(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::string m_path;
};
