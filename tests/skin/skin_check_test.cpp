// After the build, every skin image the program can ask for exists beside the
// executable, loads, and is cut into whole frames of a size its control can
// show: the images of the skin table, every image name in the sources under
// app/ and ui/ (scanned now, so new code is covered), and every picture and
// icon the layout files name.
#include "skin/image_file.h"
#include "skin/skin_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace skin_check;

namespace {

const fs::path kSkinDir = fs::path(TERVANE_BIN_DIR) / "skins" / "theme1";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Extension(const std::string& name) {
  const std::string ext = fs::path(name).extension().string();
  return ext.empty() ? ext : ext.substr(1);
}

// Everything wrong with one image, empty when it is right.
std::string ImageProblems(const std::string& name, const NamedImage* expected) {
  const fs::path path = kSkinDir / name;
  if (!fs::exists(path)) return "missing: " + path.string();
  const ImageFile image = LoadImageFile(path.string());
  if (!image.loaded) return "does not load: " + image.error;
  if (image.format != Extension(name))
    return "is a " + image.format + " file named ." + Extension(name);
  if (!expected) return {};
  std::ostringstream problems;
  if (image.width % expected->frames != 0) {
    problems << "width " << image.width << " is not " << expected->frames << " whole frames; ";
    return problems.str();
  }
  const int w = image.width / expected->frames;
  const int h = image.height;
  const bool wide_ok =
      expected->width == 0 || (expected->fit == Fit::kExact     ? w == expected->width
                               : expected->fit == Fit::kAtMost  ? w <= expected->width
                               : expected->fit == Fit::kAtLeast ? w >= expected->width
                                                                : true);
  const bool high_ok =
      expected->height == 0 || (expected->fit == Fit::kExact     ? h == expected->height
                                : expected->fit == Fit::kAtMost  ? h <= expected->height
                                : expected->fit == Fit::kAtLeast ? h >= expected->height
                                                                 : true);
  if (!wide_ok || !high_ok) {
    const char* how = expected->fit == Fit::kExact    ? "exactly"
                      : expected->fit == Fit::kAtMost ? "at most"
                                                      : "at least";
    problems << "frame " << w << "x" << h << " should be " << how << " " << expected->width << "x"
             << expected->height << "; ";
  }
  if (name.ends_with(".gif") && !image.animated) problems << "is not animated; ";
  return problems.str();
}

std::vector<fs::path> FilesBelow(const fs::path& dir, const std::set<std::string>& extensions) {
  std::vector<fs::path> files;
  if (!fs::exists(dir)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file() && extensions.contains(entry.path().extension().string())) {
      files.push_back(entry.path());
    }
  }
  return files;
}

}  // namespace

TEST(SkinNames, NormalisesTheSpellingsOfSubFolders) {
  struct Case {
    const char* source;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {R"(SetImage(L"icon\\tab_home.png", 4);)", {"icon/tab_home.png"}},
      {R"(AddItem("icon//icon_pc.png", 249); Load("loading\\loading.gif");)",
       {"icon/icon_pc.png", "loading/loading.gif"}},
      {R"(Format("%s/keyboard/%s.png"); Open("/usr/share/x.png"); Say("no image here");)", {}},
      {R"(Show("btn_apply.PNG"); Show("a.txt", "b.gif");)", {"btn_apply.PNG", "b.gif"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(ImageNamesInSource(c.source), c.names);
  }
}

TEST(SkinNames, FindsLiteralFrameCountsInSourcesAndTheManifest) {
  struct Case {
    const char* source;
    std::vector<std::pair<std::string, int>> calls;
  };
  const Case cases[] = {
      {R"(b->SetImage("btn_apply.png", 4); e.SetIconImage("icon\\x.png", 2);)",
       {{"btn_apply.png", 4}, {"icon/x.png", 2}}},
      {R"(SetImage(m_vertical ? "img_scroll_v.png" : "img_scroll_h.png", 3))",
       {{"img_scroll_v.png", 3}, {"img_scroll_h.png", 3}}},
      {R"(pm.AddImgResInfo("a.png", 5); SetImage(file, 4); SetEditImage("b.png");)",
       {{"a.png", 5}}},
      {R"(t.InsertItem(1, "Home", "icon/tab_home.png", page, 4, 80);
          t.InsertItem(2, "Keys", "icon/tab_customkey.png", nullptr);
          t.InsertItem(3, "x", "", nullptr, 4); t.InsertItem(4, "y", "c.png", p, count);)",
       {{"icon/tab_home.png", 4}, {"icon/tab_customkey.png", 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    std::vector<std::pair<std::string, int>> found;
    for (const FrameCountCall& call : FrameCountCallsInSource(c.source))
      found.emplace_back(call.name, call.frames);
    EXPECT_EQ(found, c.calls);
  }
  const std::map<std::string, int> manifest = FramesInManifest(R"([palette]
bg = "#000000"
[[image]]
name = "a.png"
frames = 4
size = [7, 40]
[[image]]
path = "desktop/x.png"
frames = 2
[[image]]
name = "b.png"
[[image]]
name = "spinner.gif"
frames = 12
[keyboard]
gap = 3)");
  EXPECT_EQ(manifest, (std::map<std::string, int>{{"a.png", 4}, {"b.png", 1}}));
}

TEST(SkinNames, ReadsPictureKeysAndIconsOfALayout) {
  const LayoutImages layout = ImagesInLayout(R"(<device.info><Keyboard xpos="10" ypos="5"
      image="k201.png" width="1100" height="400" row_count="6"><KeyItems>
      <key code="29" name="Esc" rect="8#8#50#50" icon=""/>
      <key name="Fn" icon="icon\\key_fn.png" rect="60#8#50#50"></key>
      </KeyItems></Keyboard></device.info>)");
  EXPECT_EQ(layout.picture, "keyboard/k201.png");
  EXPECT_EQ(layout.width, 1100);
  EXPECT_EQ(layout.height, 400);
  ASSERT_EQ(layout.keys.size(), 2u);
  EXPECT_EQ(layout.keys[0].icon, "");
  EXPECT_EQ(layout.keys[1].icon, "icon/key_fn.png");
  EXPECT_EQ(layout.keys[1].x, 60);
  EXPECT_EQ(layout.keys[1].height, 50);
}

TEST(SkinCheck, EveryImageOfTheTableIsBuiltWithWholeFramesOfItsSize) {
  for (const NamedImage& image : SkinTable()) {
    EXPECT_EQ(ImageProblems(image.name, &image), "") << image.name;
  }
}

TEST(SkinCheck, EveryImageNamedInTheSourcesIsBuilt) {
  std::map<std::string, fs::path> named;  // name -> first file naming it
  for (const char* folder : {"app", "ui"}) {
    for (const fs::path& file :
         FilesBelow(fs::path(TERVANE_SOURCE_DIR) / folder, {".cpp", ".h", ".hpp", ".cc"})) {
      // The library's own resources are compiled in, not looked up in the skin.
      if (file.string().find("/ui/resources/") != std::string::npos) continue;
      for (const std::string& name : ImageNamesInSource(ReadFile(file))) named.emplace(name, file);
    }
  }
  for (const auto& [name, file] : named) {
    EXPECT_EQ(ImageProblems(name, FindInTable(name)), "") << name << " (named in " << file << ")";
  }
}

// A control cuts an image into as many frames as it is told; the manifest
// draws it with as many as it says. Both must agree, for the calls of the
// sources and for the table.
TEST(SkinCheck, LiteralFrameCountsAgreeWithTheManifest) {
  const std::map<std::string, int> manifest = FramesInManifest(
      ReadFile(fs::path(TERVANE_SOURCE_DIR) / "install" / "skins-src" / "theme1.toml"));
  ASSERT_FALSE(manifest.empty());
  std::size_t calls = 0;
  for (const char* folder : {"app", "ui"}) {
    for (const fs::path& file :
         FilesBelow(fs::path(TERVANE_SOURCE_DIR) / folder, {".cpp", ".h", ".hpp", ".cc"})) {
      for (const FrameCountCall& call : FrameCountCallsInSource(ReadFile(file))) {
        ++calls;
        const auto it = manifest.find(call.name);
        if (it == manifest.end()) continue;  // not drawn by the manifest: the build check names it
        EXPECT_EQ(call.frames, it->second) << call.name << " is cut in " << file;
      }
    }
  }
  EXPECT_GT(calls, 0u);
  for (const NamedImage& image : SkinTable()) {
    const auto it = manifest.find(image.name);
    if (it == manifest.end()) continue;
    EXPECT_EQ(image.frames, it->second) << image.name << " in the table";
  }
}

TEST(SkinCheck, EveryLayoutHasItsPictureAndKeyIcons) {
  const std::vector<fs::path> layouts = FilesBelow(fs::path(TERVANE_BIN_DIR) / "layouts", {".xml"});
  for (const fs::path& file : layouts) {
    SCOPED_TRACE(file.string());
    const LayoutImages layout = ImagesInLayout(ReadFile(file));
    ASSERT_FALSE(layout.picture.empty()) << "no Keyboard image";
    ASSERT_EQ(ImageProblems(layout.picture, nullptr), "") << layout.picture;
    const ImageFile picture = LoadImageFile((kSkinDir / layout.picture).string());
    // The control draws the picture at 1:1 under the key rectangles.
    EXPECT_EQ(picture.width, layout.width);
    EXPECT_EQ(picture.height, layout.height);
    for (const LayoutKey& key : layout.keys) {
      EXPECT_TRUE(key.x >= 0 && key.y >= 0 && key.width > 0 && key.height > 0 &&
                  key.x + key.width <= layout.width && key.y + key.height <= layout.height)
          << "key " << key.name << " is not inside the picture";
      if (!key.icon.empty()) {
        EXPECT_EQ(ImageProblems(key.icon, FindInTable(key.icon)), "") << "icon of key " << key.name;
      }
    }
  }
}

TEST(SkinCheck, BatteryLevelImageCoversItsFrame) {
  // The level image is drawn over the frame image, cut from the left.
  const ImageFile frame = LoadImageFile((kSkinDir / "icon/icon_battery_bkg.png").string());
  const ImageFile level = LoadImageFile((kSkinDir / "icon/icon_batteryvalue.png").string());
  EXPECT_EQ(frame.width, level.width);
  EXPECT_EQ(frame.height, level.height);
}

TEST(SkinCheck, FontIsLiberationSansWithItsLicence) {
  const fs::path font = fs::path(TERVANE_BIN_DIR) / "font" / "Arial.ttf";
  const std::string data = ReadFile(font);
  ASSERT_GE(data.size(), 4u) << font;
  EXPECT_EQ(data.substr(0, 4), std::string("\x00\x01\x00\x00", 4)) << "not a TrueType font";
  // The name table holds the family name as UTF-16BE.
  const std::string family("\0L\0i\0b\0e\0r\0a\0t\0i\0o\0n\0 \0S\0a\0n\0s", 30);
  EXPECT_NE(data.find(family), std::string::npos) << "not Liberation Sans";
  const std::string licence =
      ReadFile(fs::path(TERVANE_BIN_DIR) / "font" / "LICENSE-LiberationSans.txt");
  EXPECT_NE(licence.find("SIL Open Font License"), std::string::npos);
}

TEST(SkinCheck, SkinSourcesStayOutOfTheProgramFolder) {
  EXPECT_FALSE(fs::exists(fs::path(TERVANE_BIN_DIR) / "skins-src"));
}

TEST(SkinCheck, ProgramIconComesInTheSizesDesktopsAndTraysAsk) {
  const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
  std::set<int> in_ico;
  const std::string ico = ReadFile(kSkinDir / "Tervane.ico");
  ASSERT_GE(ico.size(), 6u);
  const int count = static_cast<unsigned char>(ico[4]) | static_cast<unsigned char>(ico[5]) << 8;
  for (int i = 0; i < count && 6 + 16 * i < static_cast<int>(ico.size()); ++i) {
    const int width = static_cast<unsigned char>(ico[6 + 16 * i]);
    in_ico.insert(width == 0 ? 256 : width);
  }
  for (int size : sizes) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(in_ico.contains(size)) << "Tervane.ico has no " << size << " px image";
    const std::string dir = std::to_string(size) + "x" + std::to_string(size);
    const fs::path png =
        fs::path(TERVANE_BIN_DIR) / "desktop/icons/hicolor" / dir / "apps/tervane.png";
    const ImageFile image = LoadImageFile(png.string());
    EXPECT_TRUE(image.loaded) << png << ": " << image.error;
    EXPECT_EQ(image.width, size);
    EXPECT_EQ(image.height, size);
  }
}
