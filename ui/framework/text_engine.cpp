// The shared Pango font map, private fonts, and Canvas text drawing on it.
#include "framework/text_engine.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>
#include <sys/stat.h>

#include "QorUI/canvas.h"
#include "framework/canvas_impl.h"

namespace {

PangoFontDescription* DescriptionOf(const FontSpec& font) {
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, TextEngine::Get().FamilyOf(font.face).c_str());
  pango_font_description_set_absolute_size(d, std::max(1, font.size) * PANGO_SCALE);
  pango_font_description_set_weight(
      d, (font.style & FontStyleBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(
      d, (font.style & FontStyleItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return d;
}

// Configures `layout` for the text; returns the layout's logical size in pixels.
void Prepare(PangoLayout* layout, std::string_view text, const FontSpec& font, int wrap_width,
             bool ellipsis) {
  PangoFontDescription* d = DescriptionOf(font);
  pango_layout_set_font_description(layout, d);
  pango_font_description_free(d);
  PangoAttrList* attrs = pango_attr_list_new();
  if (font.style & FontStyleUnderline)
    pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (font.style & FontStyleStrikeout)
    pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  if (wrap_width >= 0) {
    pango_layout_set_width(layout, wrap_width * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  } else {
    pango_layout_set_width(layout, -1);
  }
  pango_layout_set_ellipsize(layout, ellipsis ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
}

}  // namespace

TextEngine& TextEngine::Get() {
  static TextEngine engine;
  return engine;
}

TextEngine::TextEngine() {
  m_fontmap = pango_cairo_font_map_new();
  m_context = pango_font_map_create_context(m_fontmap);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(m_context, options);
  cairo_font_options_destroy(options);
}

bool TextEngine::AddPrivateFont(const std::string& face, const std::string& path) {
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const auto* file = reinterpret_cast<const FcChar8*>(path.c_str());
  int count = 0;
  FcPattern* pattern = FcFreeTypeQuery(file, 0, nullptr, &count);
  if (!pattern) return false;
  FcChar8* family = nullptr;
  std::string name;
  if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch)
    name = reinterpret_cast<const char*>(family);
  FcPatternDestroy(pattern);
  if (name.empty()) return false;

  std::lock_guard lock(m_lock);
  if (!FcConfigAppFontAddFile(FcConfigGetCurrent(), file)) return false;
  m_private_faces[face] = name;
  pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(m_fontmap));
  return true;
}

std::string TextEngine::FamilyOf(const std::string& face) {
  auto it = m_private_faces.find(face);
  return it == m_private_faces.end() ? face : it->second;
}

PangoLayout* TextEngine::NewLayout() {
  return pango_layout_new(m_context);
}

void Canvas::DrawText(std::string_view text, const CRect& rect, const FontSpec& font, ARGB color,
                      const TextFormat& format) {
  if (!m_impl || text.empty() || rect.IsRectEmpty() || ArgbAlpha(color) == 0) return;
  TextEngine& engine = TextEngine::Get();
  std::lock_guard lock(engine.Lock());
  PangoLayout* layout = engine.NewLayout();
  const bool bounded = format.wrap || format.ellipsis;
  Prepare(layout, text, font, bounded ? rect.Width() : -1, format.ellipsis);
  pango_layout_set_alignment(layout, format.halign == kAlignCenter  ? PANGO_ALIGN_CENTER
                                     : format.halign == kAlignRight ? PANGO_ALIGN_RIGHT
                                                                    : PANGO_ALIGN_LEFT);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  int x = rect.left;
  if (!bounded) {
    if (format.halign == kAlignCenter) x = rect.left + (rect.Width() - w) / 2;
    if (format.halign == kAlignRight) x = rect.right - w;
  }
  int y = rect.top;
  if (format.valign == kAlignVCenter) y = rect.top + (rect.Height() - h) / 2;
  if (format.valign == kAlignBottom) y = rect.bottom - h;

  cairo_t* cr = m_impl->cr;
  cairo_save(cr);
  cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
  cairo_clip(cr);
  cairo_set_source_rgba(cr, ArgbRed(color) / 255.0, ArgbGreen(color) / 255.0,
                        ArgbBlue(color) / 255.0, ArgbAlpha(color) / 255.0);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
  g_object_unref(layout);
}

CSize Canvas::MeasureText(std::string_view text, const FontSpec& font, int wrap_width) {
  if (text.empty()) return {};
  TextEngine& engine = TextEngine::Get();
  std::lock_guard lock(engine.Lock());
  PangoLayout* layout = engine.NewLayout();
  Prepare(layout, text, font, wrap_width, false);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  g_object_unref(layout);
  return {w, h};
}
