// Encoding detection and conversion for XML files, through glibc's iconv.
#include "interchange/xml_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "QorUI/text.h"
#include "shell/current_language.h"

namespace {

constexpr std::size_t kHeadBytes = 1024;
constexpr char32_t kReplacement = 0xFFFD;

enum class Family { kUtf8, kUtf16Le, kUtf16Be, kWide, kOther };

std::string Normalised(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c != '-' && c != '_' && c != ' ') out += c;
  }
  return text::AsciiLower(out);
}

Family FamilyOf(std::string_view name) {
  const std::string n = Normalised(name);
  if (n == "utf8") return Family::kUtf8;
  if (n == "utf16be" || n == "unicodefffe") return Family::kUtf16Be;
  if (n == "utf16" || n == "utf16le" || n == "ucs2" || n == "unicode") return Family::kUtf16Le;
  if (n.starts_with("utf32") || n.starts_with("ucs4")) return Family::kWide;
  return Family::kOther;
}

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Iconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Iconv OpenIconv(const std::string& to, const std::string& from) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return Iconv(cd);
}

// Length of an incomplete UTF-8 sequence at the very end of `s`, or 0.
std::size_t CutOffTail(std::string_view s) {
  for (std::size_t back = 1; back <= 3 && back <= s.size(); ++back) {
    const auto c = static_cast<unsigned char>(s[s.size() - back]);
    if ((c & 0xC0) == 0x80) continue;
    const std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return need > back && c >= 0xC0 && c < 0xF8 ? back : 0;
  }
  return 0;
}

std::string WithoutNul(std::string s) {
  std::erase(s, '\0');
  return s;
}

std::string FromUtf8(std::string_view bytes, std::string& diagnostics) {
  const std::size_t tail = CutOffTail(bytes);
  if (tail) {
    diagnostics += "dropped a UTF-8 sequence cut off at the end of the file\n";
    bytes.remove_suffix(tail);
  }
  if (text::IsValidUtf8(bytes)) return WithoutNul(std::string(bytes));
  diagnostics += "replaced invalid UTF-8 sequences\n";
  return WithoutNul(text::FromCodePoints(text::ToCodePoints(bytes)));
}

std::string FromUtf16(std::string_view bytes, bool big_endian, std::string& diagnostics) {
  bool cut_off = false;
  std::string out = text::DecodeUtf16(bytes, big_endian, &cut_off);
  if (cut_off) diagnostics += "dropped a UTF-16 unit cut off at the end of the file\n";
  return WithoutNul(std::move(out));
}

// Converts with iconv into UTF-8; invalid input becomes U+FFFD and an
// incomplete sequence at the end is dropped.
std::string ConvertToUtf8(iconv_t cd, std::string_view bytes, std::string& diagnostics) {
  std::string out;
  char buffer[4096];
  auto* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  bool replaced = false;
  while (in_left > 0) {
    char* o = buffer;
    std::size_t o_left = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &in_left, &o, &o_left);
    out.append(buffer, o - buffer);
    if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (errno == EINVAL) {
      diagnostics += "dropped a multibyte sequence cut off at the end of the file\n";
      break;
    }
    replaced = true;
    text::AppendUtf8(out, kReplacement);
    ++in;
    --in_left;
  }
  if (replaced) diagnostics += "replaced bytes that are invalid in the declared encoding\n";
  return WithoutNul(std::move(out));
}

std::string FromEightBit(std::string_view bytes, const std::string& encoding,
                         std::string& diagnostics) {
  if (FamilyOf(encoding) == Family::kUtf8) return FromUtf8(bytes, diagnostics);
  Iconv cd = OpenIconv("UTF-8", encoding);
  if (!cd) {
    diagnostics += "unknown encoding '" + encoding + "', read as UTF-8\n";
    return FromUtf8(bytes, diagnostics);
  }
  return ConvertToUtf8(cd.get(), bytes, diagnostics);
}

// The value of `name`="..." or '...' inside `s`, or empty.
std::string QuotedValueAfter(std::string_view s, std::string_view name) {
  const std::string lower = text::AsciiLower(s);
  std::size_t at = lower.find(name);
  while (at != std::string::npos) {
    std::size_t i = at + name.size();
    while (i < s.size() && s[i] == ' ') ++i;
    if (i < s.size() && s[i] == '=') {
      ++i;
      while (i < s.size() && s[i] == ' ') ++i;
      if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
        const std::size_t close = s.find(s[i], i + 1);
        if (close != std::string_view::npos) return std::string(s.substr(i + 1, close - i - 1));
      }
    }
    at = lower.find(name, at + 1);
  }
  return {};
}

std::string MetaCharset(std::string_view head) {
  const std::string lower = text::AsciiLower(head);
  for (std::size_t at = lower.find("<meta"); at != std::string::npos;
       at = lower.find("<meta", at + 5)) {
    const std::size_t close = lower.find('>', at);
    const std::string_view tag = std::string_view(lower).substr(at, close - at);
    if (tag.find("content-type") == std::string_view::npos) continue;
    const std::size_t charset = tag.find("charset=");
    if (charset == std::string_view::npos) continue;
    const std::size_t begin = at + charset + 8;
    std::size_t end = begin;
    while (end < head.size() &&
           std::string_view("\"'; />").find(head[end]) == std::string_view::npos) {
      ++end;
    }
    if (end > begin) return std::string(head.substr(begin, end - begin));
  }
  return {};
}

bool IsPlausibleName(std::string_view name) {
  if (name.empty() || name.size() > 40) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_' || c == '.' || c == ':';
    if (!ok) return false;
  }
  return true;
}

// The encoding named in the XML declaration at the start of `text`, or empty.
std::string DeclarationEncoding(std::string_view text) {
  if (!text.starts_with("<?xml")) return {};
  const std::size_t end = text.find("?>");
  if (end == std::string_view::npos) return {};
  return QuotedValueAfter(text.substr(5, end - 5), "encoding");
}

void AppendCharacterReference(std::string& out, char32_t cp) {
  out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
}

bool EncodeWithIconv(iconv_t cd, std::string_view text, std::string& bytes) {
  char buffer[4096];
  std::size_t i = 0;
  while (i < text.size()) {
    // One code point at a time only after a failure; runs go in one call.
    auto* in = const_cast<char*>(text.data() + i);
    std::size_t in_left = text.size() - i;
    char* o = buffer;
    std::size_t o_left = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &in_left, &o, &o_left);
    bytes.append(buffer, o - buffer);
    i = text.size() - in_left;
    if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (errno != EILSEQ) return false;
    const std::u32string cps = text::ToCodePoints(text.substr(i, 4));
    std::string one;
    text::AppendUtf8(one, cps[0]);
    std::string reference;
    AppendCharacterReference(reference, cps[0]);
    char* ref_in = reference.data();
    std::size_t ref_left = reference.size();
    o = buffer;
    o_left = sizeof buffer;
    if (iconv(cd, &ref_in, &ref_left, &o, &o_left) == static_cast<std::size_t>(-1)) return false;
    bytes.append(buffer, o - buffer);
    i += one.size();
  }
  char* o = buffer;
  std::size_t o_left = sizeof buffer;
  iconv(cd, nullptr, nullptr, &o, &o_left);
  bytes.append(buffer, o - buffer);
  return true;
}

}  // namespace

std::string LegacyEncodingFor(int language) {
  return language == kLanguageChinese ? "GB18030" : "WINDOWS-1252";
}

std::string FindDeclaredEncoding(std::string_view head) {
  head = head.substr(0, kHeadBytes);
  std::string name = DeclarationEncoding(head);
  if (name.empty()) name = MetaCharset(head);
  return IsPlausibleName(name) ? name : std::string();
}

std::string DecodeXmlBytes(std::string_view bytes, std::string_view legacy_encoding,
                           std::string& diagnostics) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3), diagnostics);
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false, diagnostics);
  if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true, diagnostics);
  // UTF-16 without a mark still shows itself by the NUL beside the first '<'.
  if (bytes.size() >= 4 && bytes[0] == '<' && bytes[1] == '\0' && bytes[3] == '\0') {
    diagnostics += "UTF-16 little-endian without a byte-order mark\n";
    return FromUtf16(bytes, false, diagnostics);
  }
  if (bytes.size() >= 4 && bytes[0] == '\0' && bytes[1] == '<' && bytes[2] == '\0') {
    diagnostics += "UTF-16 big-endian without a byte-order mark\n";
    return FromUtf16(bytes, true, diagnostics);
  }
  const std::string declared = FindDeclaredEncoding(bytes);
  if (!declared.empty()) {
    const Family family = FamilyOf(declared);
    if (family == Family::kOther || family == Family::kUtf8) {
      return FromEightBit(bytes, declared, diagnostics);
    }
    diagnostics += "declared encoding '" + declared + "' does not match 8-bit text, ignored\n";
  }
  const std::string_view complete = bytes.substr(0, bytes.size() - CutOffTail(bytes));
  if (text::IsValidUtf8(complete)) return FromUtf8(bytes, diagnostics);
  diagnostics += "undeclared text is not UTF-8, read as " + std::string(legacy_encoding) + "\n";
  return FromEightBit(bytes, std::string(legacy_encoding), diagnostics);
}

bool EncodeXmlText(std::string_view text, std::string_view encoding, std::string& bytes,
                   std::string& diagnostics) {
  bytes.clear();
  std::string repaired;
  if (!text::IsValidUtf8(text)) {
    diagnostics += "replaced invalid UTF-8 sequences before writing\n";
    repaired = text::FromCodePoints(text::ToCodePoints(text));
    text = repaired;
  }
  switch (encoding.empty() ? Family::kUtf8 : FamilyOf(encoding)) {
    case Family::kUtf8:
      bytes.assign(text);
      return true;
    case Family::kUtf16Le:
      // A mark is written so that a reader never has to guess UTF-16.
      bytes = "\xFF\xFE" + text::EncodeUtf16(text, false);
      return true;
    case Family::kUtf16Be:
      bytes = "\xFE\xFF" + text::EncodeUtf16(text, true);
      return true;
    case Family::kWide:
    case Family::kOther:
      break;
  }
  Iconv cd = OpenIconv(std::string(encoding), "UTF-8");
  if (!cd || !EncodeWithIconv(cd.get(), text, bytes)) {
    diagnostics += "cannot write the encoding '" + std::string(encoding) + "'\n";
    bytes.clear();
    return false;
  }
  return true;
}
