// The layout file walk: `device.info`, then `menu`, `function`, `firmware`,
// `light` and `Keyboard` in that order, each optional.
#include "keys/layout_file.h"

#include <array>

#include "QorUI/text.h"
#include "interchange/xml_document.h"

namespace {

constexpr BYTE kMenuBaseFlags = kPageKeys | kPageSettingsPicture;

bool IsOne(const std::string& value) {
  return value == "1";
}

int Decimal(const XmlDocument& doc, std::string_view name) {
  return text::ParseDecimal(doc.GetAttribute(name));
}

// An index attribute that is absent or empty gives no index.
std::optional<int> OptionalDecimal(const XmlDocument& doc, std::string_view name) {
  const std::string value = doc.GetAttribute(name);
  if (value.empty()) return std::nullopt;
  return text::ParseDecimal(value);
}

BYTE ReadMenu(const XmlDocument& doc) {
  BYTE flags = kMenuBaseFlags;
  if (IsOne(doc.GetAttribute("macro"))) flags |= kPageMacros;
  if (IsOne(doc.GetAttribute("light_mode"))) flags |= kPageLighting;
  return flags;
}

LightSettings ReadLightSettings(const XmlDocument& doc) {
  LightSettings s;
  s.rgb_keyboard = IsOne(doc.GetAttribute("rgb_keyboard"));
  s.default_mode = Decimal(doc, "default_mode");
  s.default_brightness = Decimal(doc, "default_brightness");
  s.default_speed = Decimal(doc, "default_speed");
  s.brightness_max = Decimal(doc, "brightness_max");
  s.speed_max = Decimal(doc, "speed_max");
  return s;
}

// Reads the `info` children of the current `light` element.
std::vector<LightModeTemplate> ReadLightModes(XmlDocument& doc) {
  std::vector<LightModeTemplate> modes;
  if (!doc.EnterElement()) return modes;
  while (doc.FindElement("info")) {
    modes.push_back({doc.GetAttribute("name"), Decimal(doc, "mode"), Decimal(doc, "attribute")});
  }
  doc.LeaveElement();
  return modes;
}

LayoutPicture ReadPicture(const XmlDocument& doc) {
  LayoutPicture p;
  const int x = Decimal(doc, "xpos");
  const int y = Decimal(doc, "ypos");
  p.rect = CRect(x, y, x + Decimal(doc, "width"), y + Decimal(doc, "height"));
  p.image = doc.GetAttribute("image");
  p.row_count = Decimal(doc, "row_count");
  p.col_count = Decimal(doc, "col_count");
  return p;
}

LayoutKey ReadKey(const XmlDocument& doc) {
  LayoutKey k;
  k.code = text::ParseHex(doc.GetAttribute("code"));
  k.name = doc.GetAttribute("name");
  k.desc = doc.GetAttribute("desc");
  k.key_index = OptionalDecimal(doc, "key_index");
  k.light_index = OptionalDecimal(doc, "light_index");
  k.icon = doc.GetAttribute("icon");
  k.cell = ParseRowCol(doc.GetAttribute("row_col"));
  k.rect = ParseKeyRect(doc.GetAttribute("rect"));
  return k;
}

// Reads the `key` elements inside `KeyItems` of the current `Keyboard` element.
std::vector<LayoutKey> ReadKeys(XmlDocument& doc) {
  std::vector<LayoutKey> keys;
  if (!doc.EnterElement()) return keys;
  if (doc.FindElement("KeyItems") && doc.EnterElement()) {
    while (doc.FindElement("key")) keys.push_back(ReadKey(doc));
    doc.LeaveElement();
  }
  doc.LeaveElement();
  return keys;
}

}  // namespace

std::optional<GridCell> ParseRowCol(std::string_view t) {
  if (t.empty()) return std::nullopt;
  const int row = text::ParseDecimal(t.substr(0, 1));
  const std::size_t column_chars = t.size() == 3 ? 1 : 2;
  const int column = text::ParseDecimal(t.substr(t.size() - std::min(column_chars, t.size())));
  if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) return std::nullopt;
  return GridCell{row, column};
}

CRect ParseKeyRect(std::string_view t) {
  if (t.find('#') == std::string_view::npos) return {};
  std::array<int, 4> v{};
  for (int& n : v) {
    const std::size_t sep = t.find('#');
    n = text::ParseDecimal(t.substr(0, sep));
    if (sep == std::string_view::npos) break;
    t.remove_prefix(sep + 1);
  }
  return CRect(v[0], v[1], v[0] + v[2], v[1] + v[3]);
}

LayoutFileResult ReadLayoutFile(const std::string& path) {
  LayoutFileResult result;
  XmlDocument doc;
  if (!doc.LoadFile(path)) return result;
  if (!doc.FindElement("device.info") || !doc.EnterElement()) {
    result.status = LayoutFileStatus::kNotALayout;
    return result;
  }
  result.status = LayoutFileStatus::kRead;
  LayoutFile& f = result.file;
  if (doc.FindElement("menu")) f.page_flags = ReadMenu(doc);
  if (doc.FindElement("function")) f.sleep_time = IsOne(doc.GetAttribute("sleep_time"));
  if (doc.FindElement("firmware")) {
    f.firmware = FirmwareInfo{doc.GetAttribute("version"), doc.GetAttribute("file"),
                              doc.GetAttribute("url")};
  }
  if (doc.FindElement("light")) {
    f.light = ReadLightSettings(doc);
    f.light_modes = ReadLightModes(doc);
  }
  if (doc.FindElement("Keyboard")) {
    f.picture = ReadPicture(doc);
    f.keys = ReadKeys(doc);
  }
  return result;
}
