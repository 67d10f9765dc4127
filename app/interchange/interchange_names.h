// The element and attribute names of the exported profile and macro files,
// the declaration they begin with, and the name an imported file gives.
#pragma once

#include <string>
#include <string_view>

namespace interchange {

inline constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

inline constexpr std::string_view kProfileRoot = "profile";
inline constexpr std::string_view kProfileInfo = "profileinfo";
inline constexpr std::string_view kKeyItems = "keyitems";
inline constexpr std::string_view kMacroRoot = "macro";
inline constexpr std::string_view kMacroInfo = "macroinfo";
inline constexpr std::string_view kMacroItems = "macroitems";
inline constexpr std::string_view kItem = "item";

// The name of an imported profile or macro: the chosen file's name without
// its folder, up to its first "." ("my.profile.xml" gives "my"); empty when
// the name has no ".".
std::string NameFromFileName(std::string_view path);

}  // namespace interchange
