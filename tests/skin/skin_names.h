// The skin images the program relies on: the table of names with the frame
// counts and frame sizes the controls that show them require, and the scanners
// that find image names in source files and layout files.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace skin_check {

// Sizes of one frame: exactly, at most (natural-size drawing inside a control),
// or at least (nine-slice images, whose corners must fit twice).
enum class Fit { kAny, kExact, kAtMost, kAtLeast };

struct NamedImage {
  const char* name;  // below skins/theme1/, with "/" between folders
  int frames;
  Fit fit;
  int width;  // of one frame
  int height;
};

// Every image named by the controls and windows, with how it is cut and sized.
const std::vector<NamedImage>& SkinTable();
const NamedImage* FindInTable(std::string_view name);

// A name as the program's sources and layout files may write it ("icon\\tab_home.png",
// "icon//x.png") made into the file name below the skin folder ("icon/tab_home.png").
std::string NormaliseImageName(std::string_view name);

// Image names in the string literals of a C++ source text, normalised. Format
// strings (with '%') and absolute paths are not skin names and are left out.
std::vector<std::string> ImageNamesInSource(std::string_view source);

// The number of frames the skin manifest renders each image of skins/theme1/
// with side by side, by name: its `frames`, 1 when the entry has none.
// Animated GIFs are left out.
std::map<std::string, int> FramesInManifest(std::string_view manifest_toml);

// Calls in a C++ source text that cut a literal image name into a literal
// number of frames: Set...Image("x.png", 4) and AddImgResInfo("x.png", 4)
// (each name of a conditional first argument), and InsertItem with a literal
// icon, whose missing or non-positive frame count means 3.
struct FrameCountCall {
  std::string name;  // normalised
  int frames;
};
std::vector<FrameCountCall> FrameCountCallsInSource(std::string_view source);

// What a layout file asks of the skin: its keyboard picture ("keyboard/" +
// the Keyboard image), the picture size, and every key's rect and icon.
struct LayoutKey {
  std::string name;
  int x = 0, y = 0, width = 0, height = 0;
  std::string icon;  // normalised; empty when the key has none
};
struct LayoutImages {
  std::string picture;
  int width = 0, height = 0;
  std::vector<LayoutKey> keys;
};
LayoutImages ImagesInLayout(std::string_view layout_xml);

}  // namespace skin_check
