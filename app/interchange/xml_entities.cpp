// Entity references in attribute values: decoding numeric references and the
// HTML 4 named references, and escaping the five XML special characters.
#include "interchange/xml_entities.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "QorUI/text.h"

namespace {

struct NamedReference {
  std::string_view name;
  char32_t code_point;
};

// The HTML 4.01 character entity set plus XML's "apos", sorted by name (byte
// order) for the exact lookup.
constexpr NamedReference kNamedReferences[] = {
    {"AElig", 198},    {"Aacute", 193},  {"Acirc", 194},   {"Agrave", 192},  {"Alpha", 913},
    {"Aring", 197},    {"Atilde", 195},  {"Auml", 196},    {"Beta", 914},    {"Ccedil", 199},
    {"Chi", 935},      {"Dagger", 8225}, {"Delta", 916},   {"ETH", 208},     {"Eacute", 201},
    {"Ecirc", 202},    {"Egrave", 200},  {"Epsilon", 917}, {"Eta", 919},     {"Euml", 203},
    {"Gamma", 915},    {"Iacute", 205},  {"Icirc", 206},   {"Igrave", 204},  {"Iota", 921},
    {"Iuml", 207},     {"Kappa", 922},   {"Lambda", 923},  {"Mu", 924},      {"Ntilde", 209},
    {"Nu", 925},       {"OElig", 338},   {"Oacute", 211},  {"Ocirc", 212},   {"Ograve", 210},
    {"Omega", 937},    {"Omicron", 927}, {"Oslash", 216},  {"Otilde", 213},  {"Ouml", 214},
    {"Phi", 934},      {"Pi", 928},      {"Prime", 8243},  {"Psi", 936},     {"Rho", 929},
    {"Scaron", 352},   {"Sigma", 931},   {"THORN", 222},   {"Tau", 932},     {"Theta", 920},
    {"Uacute", 218},   {"Ucirc", 219},   {"Ugrave", 217},  {"Upsilon", 933}, {"Uuml", 220},
    {"Xi", 926},       {"Yacute", 221},  {"Yuml", 376},    {"Zeta", 918},    {"aacute", 225},
    {"acirc", 226},    {"acute", 180},   {"aelig", 230},   {"agrave", 224},  {"alefsym", 8501},
    {"alpha", 945},    {"amp", 38},      {"and", 8743},    {"ang", 8736},    {"apos", 39},
    {"aring", 229},    {"asymp", 8776},  {"atilde", 227},  {"auml", 228},    {"bdquo", 8222},
    {"beta", 946},     {"brvbar", 166},  {"bull", 8226},   {"cap", 8745},    {"ccedil", 231},
    {"cedil", 184},    {"cent", 162},    {"chi", 967},     {"circ", 710},    {"clubs", 9827},
    {"cong", 8773},    {"copy", 169},    {"crarr", 8629},  {"cup", 8746},    {"curren", 164},
    {"dArr", 8659},    {"dagger", 8224}, {"darr", 8595},   {"deg", 176},     {"delta", 948},
    {"diams", 9830},   {"divide", 247},  {"eacute", 233},  {"ecirc", 234},   {"egrave", 232},
    {"empty", 8709},   {"emsp", 8195},   {"ensp", 8194},   {"epsilon", 949}, {"equiv", 8801},
    {"eta", 951},      {"eth", 240},     {"euml", 235},    {"euro", 8364},   {"exist", 8707},
    {"fnof", 402},     {"forall", 8704}, {"frac12", 189},  {"frac14", 188},  {"frac34", 190},
    {"frasl", 8260},   {"gamma", 947},   {"ge", 8805},     {"gt", 62},       {"hArr", 8660},
    {"harr", 8596},    {"hearts", 9829}, {"hellip", 8230}, {"iacute", 237},  {"icirc", 238},
    {"iexcl", 161},    {"igrave", 236},  {"image", 8465},  {"infin", 8734},  {"int", 8747},
    {"iota", 953},     {"iquest", 191},  {"isin", 8712},   {"iuml", 239},    {"kappa", 954},
    {"lArr", 8656},    {"lambda", 955},  {"lang", 9001},   {"laquo", 171},   {"larr", 8592},
    {"lceil", 8968},   {"ldquo", 8220},  {"le", 8804},     {"lfloor", 8970}, {"lowast", 8727},
    {"loz", 9674},     {"lrm", 8206},    {"lsaquo", 8249}, {"lsquo", 8216},  {"lt", 60},
    {"macr", 175},     {"mdash", 8212},  {"micro", 181},   {"middot", 183},  {"minus", 8722},
    {"mu", 956},       {"nabla", 8711},  {"nbsp", 160},    {"ndash", 8211},  {"ne", 8800},
    {"ni", 8715},      {"not", 172},     {"notin", 8713},  {"nsub", 8836},   {"ntilde", 241},
    {"nu", 957},       {"oacute", 243},  {"ocirc", 244},   {"oelig", 339},   {"ograve", 242},
    {"oline", 8254},   {"omega", 969},   {"omicron", 959}, {"oplus", 8853},  {"or", 8744},
    {"ordf", 170},     {"ordm", 186},    {"oslash", 248},  {"otilde", 245},  {"otimes", 8855},
    {"ouml", 246},     {"para", 182},    {"part", 8706},   {"permil", 8240}, {"perp", 8869},
    {"phi", 966},      {"pi", 960},      {"piv", 982},     {"plusmn", 177},  {"pound", 163},
    {"prime", 8242},   {"prod", 8719},   {"prop", 8733},   {"psi", 968},     {"quot", 34},
    {"rArr", 8658},    {"radic", 8730},  {"rang", 9002},   {"raquo", 187},   {"rarr", 8594},
    {"rceil", 8969},   {"rdquo", 8221},  {"real", 8476},   {"reg", 174},     {"rfloor", 8971},
    {"rho", 961},      {"rlm", 8207},    {"rsaquo", 8250}, {"rsquo", 8217},  {"sbquo", 8218},
    {"scaron", 353},   {"sdot", 8901},   {"sect", 167},    {"shy", 173},     {"sigma", 963},
    {"sigmaf", 962},   {"sim", 8764},    {"spades", 9824}, {"sub", 8834},    {"sube", 8838},
    {"sum", 8721},     {"sup", 8835},    {"sup1", 185},    {"sup2", 178},    {"sup3", 179},
    {"supe", 8839},    {"szlig", 223},   {"tau", 964},     {"there4", 8756}, {"theta", 952},
    {"thetasym", 977}, {"thinsp", 8201}, {"thorn", 254},   {"tilde", 732},   {"times", 215},
    {"trade", 8482},   {"uArr", 8657},   {"uacute", 250},  {"uarr", 8593},   {"ucirc", 251},
    {"ugrave", 249},   {"uml", 168},     {"upsih", 978},   {"upsilon", 965}, {"uuml", 252},
    {"weierp", 8472},  {"xi", 958},      {"yacute", 253},  {"yen", 165},     {"yuml", 255},
    {"zeta", 950},     {"zwj", 8205},    {"zwnj", 8204},
};

// Names are at most nine characters between '&' and ';'.
constexpr std::size_t kMaxReferenceLength = 9;

char32_t LookUpName(std::string_view name) {
  const auto* end = std::end(kNamedReferences);
  const auto* it =
      std::lower_bound(std::begin(kNamedReferences), end, name,
                       [](const NamedReference& r, std::string_view n) { return r.name < n; });
  if (it != end && it->name == name) return it->code_point;
  // Case-insensitive only as a fallback, so "&Agrave;" and "&agrave;" keep
  // their own letters while "&AMP;" still decodes.
  for (const NamedReference& r : kNamedReferences) {
    if (text::EqualsIgnoreAsciiCase(r.name, name)) return r.code_point;
  }
  return 0;
}

char32_t ParseNumeric(std::string_view digits) {
  int base = 10;
  if (!digits.empty() && (digits[0] == 'x' || digits[0] == 'X')) {
    base = 16;
    digits.remove_prefix(1);
  }
  if (digits.empty()) return 0;
  std::uint32_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      return 0;
    }
    value = value * base + d;
    if (value > 0x10FFFF) return 0;
  }
  // Surrogate code points cannot be written as UTF-8; they stay as text.
  if (value >= 0xD800 && value <= 0xDFFF) return 0;
  return value;
}

// The code point `reference` (the text between '&' and ';') stands for, or 0.
char32_t Resolve(std::string_view reference) {
  if (reference.empty()) return 0;
  if (reference[0] == '#') return ParseNumeric(reference.substr(1));
  return LookUpName(reference);
}

}  // namespace

std::string DecodeEntities(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  std::size_t i = 0;
  while (i < value.size()) {
    const std::size_t amp = value.find('&', i);
    if (amp == std::string_view::npos) break;
    out.append(value, i, amp - i);
    i = amp + 1;
    std::size_t semicolon = std::string_view::npos;
    for (std::size_t k = i; k < value.size() && k <= i + kMaxReferenceLength; ++k) {
      const auto c = static_cast<unsigned char>(value[k]);
      if (c == ';') {
        semicolon = k;
        break;
      }
      if (c >= 0x80 || c == '&') break;
    }
    const char32_t cp =
        semicolon == std::string_view::npos ? 0 : Resolve(value.substr(i, semicolon - i));
    if (cp == 0) {
      out += '&';
      continue;
    }
    text::AppendUtf8(out, cp);
    i = semicolon + 1;
  }
  out.append(value, i, std::string_view::npos);
  return out;
}

std::string EscapeAttribute(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}
