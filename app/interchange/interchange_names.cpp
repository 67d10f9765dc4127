// The imported-name rule.
#include "interchange/interchange_names.h"

namespace interchange {

std::string NameFromFileName(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = file.find('.');
  if (dot == std::string_view::npos) return {};
  return std::string(file.substr(0, dot));
}

}  // namespace interchange
