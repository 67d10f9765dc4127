// Sibling walks, owned skin images and text entries for the controls.
#include "controls/control_helpers.h"

#include "QorUI/manager.h"
#include "QorUI/paint_manager.h"
#include "QorUI/render.h"

namespace controls {

int TrackHover(MControl& control, int& hover, CPoint pt) {
  const int inside = control.GetRect().PtInRect(pt) ? 1 : 0;
  if (inside == hover) return inside;
  hover = inside;
  if (PaintManager* pm = control.GetManager())
    pm->SetControlCursor(inside ? CursorKind::kHand : CursorKind::kArrow);
  control.UpdateControl(0);
  return inside;
}

std::vector<MControl*> SiblingsOf(const MControl& control) {
  std::vector<MControl*> out;
  auto collect = [&](const MControl::ControlList& list) {
    for (auto& c : list)
      if (c.get() != &control) out.push_back(c.get());
  };
  if (auto* owner = dynamic_cast<const MControl*>(control.GetParantObject())) {
    collect(owner->GetControls());
    collect(owner->GetAreas());
  } else if (PaintManager* pm = control.GetManager()) {
    collect(pm->GetControls());
    collect(pm->GetAreas());
  }
  return out;
}

std::unique_ptr<Image> LoadSkinImage(const std::string& name) {
  if (name.empty()) return nullptr;
  return MRender::LoadImageFromFile(Manager::GetSkinPath(name));
}

std::unique_ptr<TextEntry> CreateTextEntry(const MControl& control) {
  PaintManager* pm = control.GetManager();
  return pm ? pm->CreateTextEntry() : nullptr;
}

InlineEditor::InlineEditor(std::function<void(bool)> on_close) : m_on_close(std::move(on_close)) {}

InlineEditor::~InlineEditor() {
  if (m_entry) m_entry->SetHandlers({});
}

bool InlineEditor::Open(const MControl& owner, const CRect& rect, const std::string& text,
                        const FontSpec& font, ARGB text_color) {
  if (!m_entry) {
    m_entry = CreateTextEntry(owner);
    if (!m_entry) return false;
    TextEntry::Handlers handlers;
    handlers.focus_out = [this] {
      if (IsOpen()) m_on_close(true);
    };
    handlers.activate = [this] {
      if (IsOpen()) m_on_close(true);
    };
    handlers.cancel = [this] {
      if (IsOpen()) m_on_close(false);
    };
    m_entry->SetHandlers(std::move(handlers));
  }
  m_entry->SetRect(rect);
  m_entry->SetFont(font);
  m_entry->SetColors(text_color, kEditorBackground);
  m_entry->SetText(text);
  m_entry->Show(true);
  m_entry->SelectAll();
  m_entry->Focus();
  return true;
}

void InlineEditor::Hide() {
  if (m_entry) m_entry->Show(false);
}

}  // namespace controls
