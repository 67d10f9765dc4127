// The optional report trace: with TERVANE_HID_TRACE=<file> set, every report
// sent or read is appended to that file as "<ms since start> <op> <hex bytes>".
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "device/clock.h"

class HidTrace {
 public:
  // Ops written to the trace.
  static constexpr const char* kWrite = "write";
  static constexpr const char* kAuxWrite = "aux-write";
  static constexpr const char* kSetFeature = "set-feature";
  static constexpr const char* kGetFeature = "get-feature";

  // Null when the variable is unset or empty, or the file cannot be opened.
  static std::unique_ptr<HidTrace> FromEnvironment(const Clock& clock);
  // Null when the file cannot be opened for appending.
  static std::unique_ptr<HidTrace> Open(const std::string& path, const Clock& clock);

  // A failed transfer is traced with "-failed" after its op.
  void Record(const char* op, const std::uint8_t* data, std::size_t length, bool ok);

  // One line as it is written, without the newline.
  static std::string FormatLine(double ms, const std::string& op, const std::uint8_t* data,
                                std::size_t length);

 private:
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  HidTrace(std::unique_ptr<std::FILE, FileCloser> file, const Clock& clock);

  const Clock& m_clock;
  const std::chrono::microseconds m_start;
  std::mutex m_file_lock;  // guards m_file: the worker and the window thread both send
  std::unique_ptr<std::FILE, FileCloser> m_file;
};
