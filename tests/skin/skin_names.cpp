// The table of skin images with the frame counts and sizes their controls
// need, and the scanners for image names in source and layout files.
#include "skin/skin_names.h"

#include <algorithm>
#include <regex>

namespace skin_check {
namespace {

using enum Fit;

// Frame counts are the controls' own (4 states for buttons, 8 for check and
// radio boxes, 2 for the device list and list marks); sizes are those of the
// rectangles that show the images at their natural size, the room a tab item
// leaves beside its caption, or the corners of nine-slice drawing.
const std::vector<NamedImage> kTable = {
    // Main window frame (client area 1280 x 720).
    {"main_bkg.png", 1, kExact, 1280, 720},
    {"pic_caption.png", 1, kExact, 1278, 49},
    {"logo/logo.png", 1, kAny, 0, 0},
    {"main_sysbtn_close.png", 4, kExact, 30, 30},
    {"main_sysbtn_min.png", 4, kExact, 30, 30},
    {"main_sysbtn_website.png", 4, kExact, 30, 30},
    {"icon/icon_battery_bkg.png", 1, kAny, 0, 0},
    {"icon/icon_batteryvalue.png", 1, kAny, 0, 0},
    {"icon/icon_charge.png", 1, kAny, 0, 0},
    {"icon/mode_usb.png", 1, kAny, 0, 0},
    {"icon/icon_keyboard.png", 1, kAny, 0, 0},
    {"icon/icon_macro.png", 1, kAny, 0, 0},
    {"icon/icon_lightmode.png", 1, kAny, 0, 0},
    {"icon/icon_config.png", 1, kAny, 0, 0},
    // Tab items are 80 x 80; the caption line takes 25 pixels below the icon.
    {"icon/tab_home.png", 4, kAtMost, 80, 55},
    {"icon/tab_customkey.png", 4, kAtMost, 80, 55},
    {"icon/tab_macro.png", 4, kAtMost, 80, 55},
    {"icon/tab_light.png", 4, kAtMost, 80, 55},
    {"icon/tab_config.png", 4, kAtMost, 80, 55},
    // Device list rows are 50 high; list rows 32.
    {"img_device_state.png", 2, kAtMost, 372, 50},
    {"icon/icon_circle.png", 2, kAtMost, 240, 32},
    // Profile and macro lists, key page.
    {"img_edit.png", 4, kAtLeast, 13, 13},
    {"imgbtn_add.png", 4, kExact, 30, 30},
    {"imgbtn_del.png", 4, kExact, 30, 30},
    {"imgbtn_edit.png", 4, kExact, 30, 30},
    {"imgbtn_import.png", 4, kExact, 30, 30},
    {"imgbtn_export.png", 4, kExact, 30, 30},
    // Function picker: items 36 x 28 are drawn with the whole frame.
    {"img_customkey.png", 4, kExact, 36, 28},
    {"icon/icon_pc.png", 1, kExact, 20, 20},
    {"icon/icon_cal.png", 1, kExact, 20, 20},
    {"icon/icon_email.png", 1, kExact, 20, 20},
    {"icon/icon_multimedia.png", 1, kExact, 20, 20},
    {"icon/icon_playpause.png", 1, kExact, 20, 20},
    {"icon/icon_stop.png", 1, kExact, 20, 20},
    {"icon/icon_pre.png", 1, kExact, 20, 20},
    {"icon/icon_next.png", 1, kExact, 20, 20},
    {"icon/icon_vol_down.png", 1, kExact, 20, 20},
    {"icon/icon_vol_up.png", 1, kExact, 20, 20},
    {"icon/icon_vol_mute.png", 1, kExact, 20, 20},
    {"icon/icon_home.png", 1, kExact, 20, 20},
    {"icon/icon_web_refresh.png", 1, kExact, 20, 20},
    {"icon/icon_web_stop.png", 1, kExact, 20, 20},
    {"icon/icon_web_backward.png", 1, kExact, 20, 20},
    {"icon/icon_web_foreward.png", 1, kExact, 20, 20},
    {"icon/icon_favorites.png", 1, kExact, 20, 20},
    {"icon/icon_web_search.png", 1, kExact, 20, 20},
    // Settings page and standard controls. Check and radio boxes are drawn
    // at their natural size in controls 30 pixels high.
    {"img_combobox.png", 4, kAtLeast, 47, 21},
    {"btn_checkbox.png", 8, kAtMost, 30, 30},
    {"btn_radiobox.png", 8, kAtMost, 30, 30},
    {"btn_apply.png", 4, kAtLeast, 21, 21},
    {"img_spin_up.png", 4, kAny, 0, 0},
    {"img_spin_down.png", 4, kAny, 0, 0},
    {"img_scroll_v.png", 3, kAtMost, 7, 0},
    {"img_scroll_h.png", 3, kAtMost, 0, 7},
    {"Tervane.ico", 1, kAny, 0, 0},
    {"Tervane.png", 1, kAny, 0, 0},
    // Lighting page: colour buttons are 30 x 30; the wheel control is
    // 131 x 131 and picks within 65 pixels of its centre; its thumb is 10 x 10.
    {"btn_colorful.png", 1, kExact, 30, 30},
    {"img_palette.png", 1, kExact, 131, 131},
    {"img_palette_thumb.png", 1, kExact, 10, 10},
    {"img_slider_track.png", 1, kAny, 0, 0},
    {"img_slider_thumb.png", 4, kAtMost, 36, 30},
    // Macro page record buttons are 20 x 20.
    {"btn_record_time.png", 4, kExact, 20, 20},
    {"btn_record_up.png", 4, kExact, 20, 20},
    {"btn_record_down.png", 4, kExact, 20, 20},
    {"btn_record_del.png", 4, kExact, 20, 20},
    // Windows: the message box background is nine-sliced with 30-pixel
    // corners; the key tip is 190 x 100; the busy animation sits at
    // (1, 1, 101, 101) of the wait dialog.
    {"bk_prompt.png", 1, kAtLeast, 61, 61},
    {"img_tip_bk.png", 1, kExact, 190, 100},
    {"img_menu_bk.png", 1, kAny, 0, 0},
    {"loading.gif", 1, kExact, 100, 100},
    {"loading/loading.gif", 1, kExact, 100, 100},
    {"logo/logo_loading.png", 1, kAny, 0, 0},
    {"img_sys_close.png", 4, kAny, 0, 0},
};

const std::regex kImageLiteral(R"re("((?:[^"\\\n]|\\.)*\.(?:png|gif|ico))")re", std::regex::icase);
const std::regex kFrameCall(R"(\b(?:Set\w*Image|AddImgResInfo)\s*\(([^;()]*?),\s*(-?\d+)\s*\))");
const std::regex kTabInsert(
    R"re(\bInsertItem\s*\([^,;()]+,[^,;()]+,\s*"([^"]*)"\s*,[^,;()]+(?:,\s*([^,;()]+?))?\s*[,)])re");
const std::regex kManifestSection(R"(^\s*\[)");
const std::regex kManifestName(R"re(^\s*name\s*=\s*"([^"]*)")re");
const std::regex kManifestFrames(R"(^\s*frames\s*=\s*(\d+))");
const std::regex kKeyboardTag(R"(<Keyboard\b([^>]*)>)");
const std::regex kKeyTag(R"(<key\b([^>]*?)/?>)");
const std::regex kAttribute(R"re((\w+)\s*=\s*"([^"]*)")re");

std::string Attribute(const std::string& attributes, std::string_view wanted) {
  for (std::sregex_iterator it(attributes.begin(), attributes.end(), kAttribute), end; it != end;
       ++it) {
    if ((*it)[1].str() == wanted) return (*it)[2];
  }
  return {};
}

int ToInt(const std::string& s) {
  try {
    return std::stoi(s);
  } catch (...) {
    return 0;
  }
}

}  // namespace

const std::vector<NamedImage>& SkinTable() {
  return kTable;
}

const NamedImage* FindInTable(std::string_view name) {
  for (const NamedImage& image : kTable) {
    if (name == image.name) return &image;
  }
  return nullptr;
}

std::string NormaliseImageName(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c == '\\') c = '/';
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out.push_back(c);
  }
  return out;
}

std::vector<std::string> ImageNamesInSource(std::string_view source) {
  std::vector<std::string> names;
  const std::string text(source);
  for (std::sregex_iterator it(text.begin(), text.end(), kImageLiteral), end; it != end; ++it) {
    const std::string literal = (*it)[1];
    if (literal.find('%') != std::string::npos || literal.starts_with('/')) continue;
    names.push_back(NormaliseImageName(literal));
  }
  return names;
}

std::map<std::string, int> FramesInManifest(std::string_view manifest_toml) {
  std::map<std::string, int> frames;
  std::string name;
  int count = 1;
  auto close_entry = [&] {
    // A GIF's frames follow one another in time, not side by side.
    if (!name.empty() && !name.ends_with(".gif")) frames[name] = count;
    name.clear();
    count = 1;
  };
  std::size_t start = 0;
  while (start <= manifest_toml.size()) {
    const std::size_t stop = std::min(manifest_toml.find('\n', start), manifest_toml.size());
    const std::string line(manifest_toml.substr(start, stop - start));
    start = stop + 1;
    std::smatch m;
    if (std::regex_search(line, kManifestSection)) {
      close_entry();
    } else if (std::regex_search(line, m, kManifestName)) {
      name = m[1];
    } else if (std::regex_search(line, m, kManifestFrames)) {
      count = ToInt(m[1]);
    }
  }
  close_entry();
  return frames;
}

std::vector<FrameCountCall> FrameCountCallsInSource(std::string_view source) {
  std::vector<FrameCountCall> calls;
  const std::string text(source);
  for (std::sregex_iterator it(text.begin(), text.end(), kFrameCall), end; it != end; ++it) {
    const int frames = ToInt((*it)[2]);
    for (const std::string& name : ImageNamesInSource((*it)[1].str()))
      calls.push_back({name, frames});
  }
  for (std::sregex_iterator it(text.begin(), text.end(), kTabInsert), end; it != end; ++it) {
    const std::string icon = (*it)[1];
    const std::string frames = (*it)[2];
    if (icon.empty() || ImageNamesInSource("\"" + icon + "\"").empty()) continue;
    if (!frames.empty() && !std::regex_match(frames, std::regex(R"(-?\d+)"))) continue;
    const int n = frames.empty() ? 0 : ToInt(frames);
    calls.push_back({NormaliseImageName(icon), n > 0 ? n : 3});
  }
  return calls;
}

LayoutImages ImagesInLayout(std::string_view layout_xml) {
  LayoutImages result;
  const std::string text(layout_xml);
  std::smatch board;
  if (std::regex_search(text, board, kKeyboardTag)) {
    const std::string attributes = board[1];
    const std::string image = Attribute(attributes, "image");
    if (!image.empty()) result.picture = "keyboard/" + NormaliseImageName(image);
    result.width = ToInt(Attribute(attributes, "width"));
    result.height = ToInt(Attribute(attributes, "height"));
  }
  for (std::sregex_iterator it(text.begin(), text.end(), kKeyTag), end; it != end; ++it) {
    const std::string attributes = (*it)[1];
    LayoutKey key;
    key.name = Attribute(attributes, "name");
    key.icon = NormaliseImageName(Attribute(attributes, "icon"));
    const std::string rect = Attribute(attributes, "rect");
    int* fields[] = {&key.x, &key.y, &key.width, &key.height};
    std::size_t start = 0;
    for (int* field : fields) {
      const std::size_t stop = rect.find('#', start);
      *field =
          ToInt(rect.substr(start, stop == std::string::npos ? std::string::npos : stop - start));
      if (stop == std::string::npos) break;
      start = stop + 1;
    }
    result.keys.push_back(key);
  }
  return result;
}

}  // namespace skin_check
