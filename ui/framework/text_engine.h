// Text layout for every canvas: one Pango font map over fontconfig, with the
// library's private font files added to it, shared by all windows.
#pragma once

#include <pango/pangocairo.h>

#include <map>
#include <mutex>
#include <string>

class TextEngine {
 public:
  static TextEngine& Get();

  // Adds a font file privately and makes `face` resolve to its family; false
  // when the file is missing or holds no font.
  bool AddPrivateFont(const std::string& face, const std::string& path);
  // The family a face resolves to after private fonts (the face itself when
  // none); the caller holds Lock().
  std::string FamilyOf(const std::string& face);

  // A layout on the shared context; the caller holds Lock() while using it.
  PangoLayout* NewLayout();
  std::mutex& Lock() { return m_lock; }

 private:
  TextEngine();
  std::mutex m_lock;  // guards the font map, context and faces; Pango does not lock
  PangoFontMap* m_fontmap = nullptr;
  PangoContext* m_context = nullptr;
  std::map<std::string, std::string> m_private_faces;  // face -> family in the file
};
