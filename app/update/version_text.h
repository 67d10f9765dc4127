// Version texts as the update server and the keyboard give them: comparing
// two dotted versions, accepting a server reply, and the firmware number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// 0 equal, 1 when b is newer, -1 when a is newer, 2 when the two have a
// different number of "."-separated parts. Parts compare as decimal numbers;
// a part that is not a number reads as 0.
int CompareVersions(std::string_view a, std::string_view b);

// The reply of a version query as a version text, or nothing when it is not
// one: a leading byte-order mark and surrounding blanks and line ends are
// dropped, the rest must be 1 to 10 characters of digits, letters, ".", "-"
// or "_" (the text becomes part of a file name and a link).
std::optional<std::string> AcceptVersionReply(std::string_view reply);

// The keyboard's firmware version compared as the server writes it: its hex
// digits read as a decimal number (0x0106 reads as 106, 0x010A as 10).
int FirmwareVersionAsDecimal(int firmware_version);
