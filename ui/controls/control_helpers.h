// Small pieces every control of this folder shares: state frames rendered
// side by side into the control's cache, the siblings a group walks, skin
// images a control owns itself, and the text entry of its window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QorUI/control.h"
#include "QorUI/host.h"
#include "QorUI/image.h"

namespace controls {

// The field colour behind native entries (the skin's control face).
constexpr ARGB kEditorBackground = 0xFF151E27;

// When the cache is stale, renders `frames` frames of the control's size side
// by side: each starts with the target's pixels under the control and is then
// drawn by `render(frame_canvas, index)` in frame coordinates (0, 0, w, h).
// Then copies frame `shown` to the control's rectangle.
template <typename Render>
void DrawStateFrames(MControl& control, Canvas& dc, int frames, int shown, Render&& render) {
  const CRect& r = control.GetRect();
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0 || frames <= 0) return;
  if (!control.GetUpdate()) {
    Canvas& mem = control.UpdateMemDC(dc, w * frames, h);
    for (int i = 0; i < frames; ++i) {
      mem.DrawCanvas(dc, r, CPoint(i * w, 0));
      mem.Save();
      mem.IntersectClip(CRect(i * w, 0, (i + 1) * w, h));
      mem.Translate(i * w, 0);
      render(mem, i);
      mem.Restore();
    }
  }
  if (shown < 0 || shown >= frames) shown = 0;
  dc.DrawCanvas(control.GetMemDC(), CRect(shown * w, 0, shown * w + w, h), r.TopLeft());
}

// One frame: the same as DrawStateFrames with a single state.
template <typename Render>
void DrawCached(MControl& control, Canvas& dc, Render&& render) {
  DrawStateFrames(control, dc, 1, 0, [&](Canvas& mem, int) { render(mem); });
}

// Hover of a control that is one target: `hover` follows whether the point
// is inside, with the hand cursor over it, and a change repaints from the
// cached frames. Returns the new value.
int TrackHover(MControl& control, int& hover, CPoint pt);

// Every control beside `control` under the same owner (a container's
// children, or the top-level controls of the window), both layers.
std::vector<MControl*> SiblingsOf(const MControl& control);

// A skin image owned by the control (not the window's cache); null when the
// name is empty or the file cannot be read.
std::unique_ptr<Image> LoadSkinImage(const std::string& name);

// A native text field over the control's window; null without a window.
std::unique_ptr<TextEntry> CreateTextEntry(const MControl& control);

}  // namespace controls

namespace controls {

// The native entry of a list's in-place editor. `on_close(commit)` runs when
// the user ends the edit: Return or a focus loss commit, Escape does not.
class InlineEditor {
 public:
  explicit InlineEditor(std::function<void(bool commit)> on_close);
  ~InlineEditor();
  InlineEditor(const InlineEditor&) = delete;
  InlineEditor& operator=(const InlineEditor&) = delete;

  // Shows the entry over `rect` (window coordinates) with the text selected
  // and the focus; false when the window has no entries to give.
  bool Open(const MControl& owner, const CRect& rect, const std::string& text, const FontSpec& font,
            ARGB text_color);
  bool IsOpen() const { return m_entry && m_entry->IsVisible(); }
  std::string Text() const { return m_entry ? m_entry->GetText() : std::string(); }
  void Hide();
  TextEntry* Entry() const { return m_entry.get(); }

 private:
  std::unique_ptr<TextEntry> m_entry;
  std::function<void(bool)> m_on_close;
};

}  // namespace controls
