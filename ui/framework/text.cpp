// UTF-8 and number-parsing helpers shared by the library and the program.
#include "QorUI/text.h"

#include <cstdint>
#include <limits>

namespace text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Decodes one sequence at s[i]; returns its length, or 0 when it is invalid
// (bad lead, missing continuation, overlong, surrogate or beyond U+10FFFF).
std::size_t DecodeOne(std::string_view s, std::size_t i, char32_t& cp) {
  const auto c0 = static_cast<unsigned char>(s[i]);
  std::size_t len;
  char32_t min;
  if (c0 < 0x80) {
    cp = c0;
    return 1;
  } else if ((c0 & 0xE0) == 0xC0) {
    len = 2, min = 0x80, cp = c0 & 0x1F;
  } else if ((c0 & 0xF0) == 0xE0) {
    len = 3, min = 0x800, cp = c0 & 0x0F;
  } else if ((c0 & 0xF8) == 0xF0) {
    len = 4, min = 0x10000, cp = c0 & 0x07;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if (!IsContinuation(c)) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// Shared by both parsers: blanks, sign, digits of the base, saturating.
template <typename Int>
Int ParseInteger(std::string_view s, int base) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (base == 16 && i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
      i + 2 < s.size() && DigitValue(s[i + 2]) < 16) {
    i += 2;
  }
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<Int>::max()) + 1;
  for (; i < s.size() && DigitValue(s[i]) < base; ++i) {
    value = value * base + DigitValue(s[i]);
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<Int>::max()) return std::numeric_limits<Int>::max();
  if (value < std::numeric_limits<Int>::min()) return std::numeric_limits<Int>::min();
  return static_cast<Int>(value);
}

}  // namespace

std::size_t CodePointCount(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); ++count) {
    char32_t cp;
    const std::size_t len = DecodeOne(s, i, cp);
    i += len ? len : 1;
  }
  return count;
}

std::string Truncate(std::string_view s, std::size_t max_code_points) {
  std::size_t i = 0;
  for (std::size_t n = 0; i < s.size() && n < max_code_points; ++n) {
    char32_t cp;
    const std::size_t len = DecodeOne(s, i, cp);
    i += len ? len : 1;
  }
  return std::string(s.substr(0, i));
}

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp;
    const std::size_t len = DecodeOne(s, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::u32string ToCodePoints(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp;
    const std::size_t len = DecodeOne(s, i, cp);
    out += len ? cp : kReplacement;
    i += len ? len : 1;
  }
  return out;
}

std::string FromCodePoints(std::u32string_view cps) {
  std::string out;
  out.reserve(cps.size());
  for (char32_t cp : cps) AppendUtf8(out, cp);
  return out;
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

int ParseDecimal(std::string_view s) {
  return ParseInteger<int>(s, 10);
}

std::int32_t ParseHex(std::string_view s) {
  return ParseInteger<std::int32_t>(s, 16);
}

std::string DecodeUtf16(std::string_view bytes, bool big_endian, bool* cut_off) {
  bool cut = bytes.size() % 2 != 0;
  auto unit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? (a << 8 | b) : (b << 8 | a);
  };
  std::string out;
  out.reserve(bytes.size());
  const std::size_t end = bytes.size() & ~std::size_t{1};
  for (std::size_t i = 0; i < end; i += 2) {
    char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 2 >= end) {
        cut = true;
        break;
      }
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      } else {
        u = kReplacement;
      }
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      u = kReplacement;
    }
    AppendUtf8(out, u);
  }
  if (cut_off) *cut_off = cut;
  return out;
}

std::string EncodeUtf16(std::string_view utf8, bool big_endian) {
  std::string out;
  out.reserve(utf8.size() * 2);
  const auto put = [&](char32_t u) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += big_endian ? hi : lo;
    out += big_endian ? lo : hi;
  };
  for (char32_t cp : ToCodePoints(utf8)) {
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

}  // namespace text
