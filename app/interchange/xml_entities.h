// Entity references in XML attribute values.
#pragma once

#include <string>
#include <string_view>

// Replaces numeric references ("&#65;", "&#x1F600;") and the HTML 4 named
// references (names matched ignoring ASCII case) by their characters. A
// reference to 0, to a surrogate, beyond U+10FFFF or to an unknown name is
// left as written.
std::string DecodeEntities(std::string_view value);

// Writes < & > ' " as "&lt;" "&amp;" "&gt;" "&apos;" "&quot;".
std::string EscapeAttribute(std::string_view value);
