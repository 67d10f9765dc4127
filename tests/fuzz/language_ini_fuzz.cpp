// Fuzzes the language file reader: any bytes decoded and looked up. Every
// value it hands out must be valid UTF-8 and come from the file's text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "QorUI/text.h"
#include "shell/ini_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = DecodeIniBytes(std::string(reinterpret_cast<const char*>(data), size));
  if (!text::IsValidUtf8(text)) std::abort();
  std::string first_section, first_key;
  bool any = false;
  ForEachIniEntry(text,
                  [&](std::string_view section, std::string_view key, std::string_view value) {
                    if (text.find(value) == std::string::npos || !text::IsValidUtf8(value))
                      std::abort();
                    if (!any) first_section = section, first_key = key, any = true;
                    return true;
                  });
  const auto found = FindIniValue(text, first_section, first_key);
  if (any != found.has_value()) std::abort();
  FindIniValue(text, "KB.DIALOG", "1");
  return 0;
}
