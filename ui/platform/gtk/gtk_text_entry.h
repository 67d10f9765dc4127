// The edit control's native field: a GtkEntry placed over the drawing area.
#pragma once

#include <gtk/gtk.h>

#include "QorUI/host.h"

class GtkTextEntry : public TextEntry {
 public:
  explicit GtkTextEntry(GtkWidget* fixed);
  ~GtkTextEntry() override;

  void SetHandlers(Handlers handlers) override { m_handlers = std::move(handlers); }
  void SetRect(const CRect& client_rect) override;
  void Show(bool show) override;
  bool IsVisible() const override { return gtk_widget_get_visible(m_entry); }
  void SetText(const std::string& text) override;
  std::string GetText() const override { return gtk_entry_get_text(GTK_ENTRY(m_entry)); }
  void SelectAll() override { gtk_editable_select_region(GTK_EDITABLE(m_entry), 0, -1); }
  void Focus() override { gtk_widget_grab_focus(m_entry); }
  bool HasFocus() const override { return gtk_widget_has_focus(m_entry); }
  void SetFont(const FontSpec& font) override;
  void SetColors(ARGB text, ARGB background) override;
  void SetMaxLength(int code_points) override;
  void SetPasswordChar(char32_t ch) override;
  void SetReadOnly(bool read_only) override;

 private:
  void ApplyStyle();
  static void OnChanged(GtkEditable*, gpointer self);
  static gboolean OnFocusOut(GtkWidget*, GdkEvent*, gpointer self);
  static void OnActivate(GtkEntry*, gpointer self);
  static gboolean OnKey(GtkWidget*, GdkEventKey* e, gpointer self);

  GtkWidget* m_fixed;
  GtkWidget* m_entry;
  GtkCssProvider* m_css;
  Handlers m_handlers;
  bool m_setting = false;  // SetText is not a user change
  FontSpec m_font;
  ARGB m_text = 0xFF000000;
  ARGB m_back = 0xFFFFFFFF;
};
