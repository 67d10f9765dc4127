// The one set of text helpers the library and the program share. Text is UTF-8
// everywhere; where a rule counts characters it counts Unicode code points.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// Number of code points; an invalid byte counts as one.
std::size_t CodePointCount(std::string_view s);

// The first `max_code_points` code points of `s`, never splitting a sequence.
std::string Truncate(std::string_view s, std::size_t max_code_points);

bool IsValidUtf8(std::string_view s);

void AppendUtf8(std::string& out, char32_t cp);

// Decodes to code points; an invalid byte becomes U+FFFD.
std::u32string ToCodePoints(std::string_view s);
std::string FromCodePoints(std::u32string_view cps);

// ASCII letters only: the program never folds other scripts.
std::string AsciiLower(std::string_view s);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

// Like _wtoi: leading blanks, an optional sign, then leading digits; 0 when
// there are none. Values beyond the int range saturate.
int ParseDecimal(std::string_view s);

// Like wcstol(s, nullptr, 16) with a 32-bit long: leading blanks, an optional
// sign, an optional "0x", then hex digits; 0 when there are none; saturates.
std::int32_t ParseHex(std::string_view s);

// UTF-16 bytes (no byte-order mark) to UTF-8. A lone surrogate becomes
// U+FFFD; an odd last byte and a high surrogate cut off at the end are
// dropped, and `cut_off` then reports it. NUL characters are kept.
std::string DecodeUtf16(std::string_view bytes, bool big_endian, bool* cut_off = nullptr);

// UTF-8 to UTF-16 bytes without a byte-order mark; an invalid byte becomes
// U+FFFD.
std::string EncodeUtf16(std::string_view utf8, bool big_endian);

}  // namespace text
