// GtkTextEntry: geometry in the overlay, styling through CSS, and the
// change/focus/Return/Escape notifications.
#include "platform/gtk/gtk_text_entry.h"

#include <gdk/gdkkeysyms.h>

#include <cstdio>
#include <string>

GtkTextEntry::GtkTextEntry(GtkWidget* fixed)
    : m_fixed(fixed), m_entry(gtk_entry_new()), m_css(gtk_css_provider_new()) {
  gtk_entry_set_has_frame(GTK_ENTRY(m_entry), FALSE);
  gtk_style_context_add_provider(gtk_widget_get_style_context(m_entry), GTK_STYLE_PROVIDER(m_css),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  gtk_fixed_put(GTK_FIXED(m_fixed), m_entry, 0, 0);
  g_signal_connect(m_entry, "changed", G_CALLBACK(&GtkTextEntry::OnChanged), this);
  g_signal_connect(m_entry, "focus-out-event", G_CALLBACK(&GtkTextEntry::OnFocusOut), this);
  g_signal_connect(m_entry, "activate", G_CALLBACK(&GtkTextEntry::OnActivate), this);
  g_signal_connect(m_entry, "key-press-event", G_CALLBACK(&GtkTextEntry::OnKey), this);
  ApplyStyle();
}

GtkTextEntry::~GtkTextEntry() {
  g_signal_handlers_disconnect_by_data(m_entry, this);
  gtk_widget_destroy(m_entry);
  g_object_unref(m_css);
}

void GtkTextEntry::SetRect(const CRect& r) {
  gtk_fixed_move(GTK_FIXED(m_fixed), m_entry, r.left, r.top);
  gtk_widget_set_size_request(m_entry, std::max(r.Width(), 1), std::max(r.Height(), 1));
}

void GtkTextEntry::Show(bool show) {
  if (show)
    gtk_widget_show(m_entry);
  else
    gtk_widget_hide(m_entry);
}

void GtkTextEntry::SetText(const std::string& text) {
  m_setting = true;
  gtk_entry_set_text(GTK_ENTRY(m_entry), text.c_str());
  m_setting = false;
}

void GtkTextEntry::SetFont(const FontSpec& font) {
  m_font = font;
  ApplyStyle();
}

void GtkTextEntry::SetColors(ARGB text, ARGB background) {
  m_text = text;
  m_back = background;
  ApplyStyle();
}

void GtkTextEntry::SetMaxLength(int code_points) {
  gtk_entry_set_max_length(GTK_ENTRY(m_entry), std::max(code_points, 0));
}

void GtkTextEntry::SetPasswordChar(char32_t ch) {
  gtk_entry_set_visibility(GTK_ENTRY(m_entry), ch == 0);
  if (ch) gtk_entry_set_invisible_char(GTK_ENTRY(m_entry), ch);
}

void GtkTextEntry::SetReadOnly(bool read_only) {
  gtk_editable_set_editable(GTK_EDITABLE(m_entry), !read_only);
}

void GtkTextEntry::ApplyStyle() {
  auto rgba = [](ARGB c) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "rgba(%u,%u,%u,%.3f)", ArgbRed(c), ArgbGreen(c), ArgbBlue(c),
                  ArgbAlpha(c) / 255.0);
    return std::string(buf);
  };
  const std::string css = "entry { font-family: \"" + m_font.face +
                          "\"; font-size: " + std::to_string(m_font.size) +
                          "px; color: " + rgba(m_text) + "; background: " + rgba(m_back) +
                          "; border: none; box-shadow: none; padding: 0 2px; min-height: 0; }";
  gtk_css_provider_load_from_data(m_css, css.c_str(), -1, nullptr);
}

void GtkTextEntry::OnChanged(GtkEditable*, gpointer self) {
  auto* e = static_cast<GtkTextEntry*>(self);
  if (!e->m_setting && e->m_handlers.changed) e->m_handlers.changed();
}

gboolean GtkTextEntry::OnFocusOut(GtkWidget*, GdkEvent*, gpointer self) {
  auto* e = static_cast<GtkTextEntry*>(self);
  if (e->m_handlers.focus_out) e->m_handlers.focus_out();
  return FALSE;
}

void GtkTextEntry::OnActivate(GtkEntry*, gpointer self) {
  auto* e = static_cast<GtkTextEntry*>(self);
  if (e->m_handlers.activate) e->m_handlers.activate();
}

gboolean GtkTextEntry::OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* e = static_cast<GtkTextEntry*>(self);
  if (event->keyval == GDK_KEY_Escape && e->m_handlers.cancel) {
    e->m_handlers.cancel();
    return TRUE;
  }
  return FALSE;
}
