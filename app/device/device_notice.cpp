// Building the path a device notice carries.
#include "device/device_notice.h"

#include <cctype>

namespace {

bool IsHexRun(const std::string& s, std::size_t from, std::size_t count) {
  if (from + count > s.size()) return false;
  for (std::size_t i = from; i < from + count; ++i) {
    if (!std::isxdigit(static_cast<unsigned char>(s[i]))) return false;
  }
  return true;
}

}  // namespace

std::string NoticePathFromSyspath(const std::string& syspath) {
  std::string path = syspath;
  for (char& c : path) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // The last component of the form "/BBBB:VVVV:PPPP.NNNN" is the HID device.
  std::string hid_id;
  for (std::size_t at = path.find('/'); at != std::string::npos; at = path.find('/', at + 1)) {
    const std::size_t b = at + 1;
    if (IsHexRun(path, b, 4) && path.size() > b + 14 && path[b + 4] == ':' &&
        IsHexRun(path, b + 5, 4) && path[b + 9] == ':' && IsHexRun(path, b + 10, 4) &&
        path[b + 14] == '.') {
      hid_id =
          path.substr(b, 4) + ":0000" + path.substr(b + 5, 4) + ":0000" + path.substr(b + 10, 4);
    }
  }
  if (!hid_id.empty()) path += " HID_ID=" + hid_id;
  return path;
}
