// Writing the report trace.
#include "device/hid_trace.h"

#include <cstdlib>

std::unique_ptr<HidTrace> HidTrace::FromEnvironment(const Clock& clock) {
  const char* path = std::getenv("TERVANE_HID_TRACE");
  if (path == nullptr || *path == '\0') return nullptr;
  return Open(path, clock);
}

std::unique_ptr<HidTrace> HidTrace::Open(const std::string& path, const Clock& clock) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "a"));
  if (!file) return nullptr;
  return std::unique_ptr<HidTrace>(new HidTrace(std::move(file), clock));
}

HidTrace::HidTrace(std::unique_ptr<std::FILE, FileCloser> file, const Clock& clock)
    : m_clock(clock), m_start(clock.Now()), m_file(std::move(file)) {}

std::string HidTrace::FormatLine(double ms, const std::string& op, const std::uint8_t* data,
                                 std::size_t length) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%.3f", ms);
  std::string line = stamp;
  line += ' ';
  line += op;
  line += ' ';
  static const char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < length; ++i) {
    line += kDigits[data[i] >> 4];
    line += kDigits[data[i] & 0x0F];
  }
  return line;
}

void HidTrace::Record(const char* op, const std::uint8_t* data, std::size_t length, bool ok) {
  const double ms = static_cast<double>((m_clock.Now() - m_start).count()) / 1000.0;
  std::string name = op;
  if (!ok) name += "-failed";
  const std::string line = FormatLine(ms, name, data, length) + "\n";
  std::lock_guard<std::mutex> lock(m_file_lock);
  std::fputs(line.c_str(), m_file.get());
  std::fflush(m_file.get());
}
