// MEdit: face and text drawing, and the native entry's life: opened by a
// press, kept in step with the control's text while typing, closed (and
// committed) on Return, focus loss, a press elsewhere or when hidden.
#include "QorUI/edit.h"

#include <algorithm>

#include "QorUI/paint_manager.h"
#include "QorUI/render.h"
#include "QorUI/text.h"
#include "controls/control_helpers.h"

namespace {
constexpr int kIconMargin = 4;
}  // namespace

MEdit::MEdit(MObject* parent, UINT id, CRect rect, const char* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {}

MEdit::~MEdit() {
  // The entry may report a focus loss while it goes; nothing must answer it.
  if (m_entry) m_entry->SetHandlers({});
}

void MEdit::SetEditText(const std::string& text) {
  const std::string value = Filtered(text);
  if (IsEditing()) {
    SetEntryText(value);
  }
  if (value == m_title) return;
  m_title = value;
  UpdateControl(1);
}

void MEdit::SetEntryText(const std::string& text) {
  m_applying = true;
  m_entry->SetText(text);
  m_applying = false;
}

void MEdit::SetPassWordChar(char32_t ch) {
  m_password = ch;
  if (m_entry) m_entry->SetPasswordChar(ch);
  UpdateControl(1);
}

void MEdit::SetEditFont(const char* face, int size, int style) {
  SetFont(face, size, style);
  if (m_entry) m_entry->SetFont(GetFontSpec());
  UpdateControl(1);
}

void MEdit::SetTextRect(CRect rect) {
  m_text_rect = rect;
  if (m_entry) m_entry->SetRect(GetTextArea());
  UpdateControl(1);
}

void MEdit::SetTipInfo(const char* hint) {
  m_hint = hint ? hint : "";
  UpdateControl(1);
}

void MEdit::SetLimitText(int max_code_points) {
  m_limit = std::max(max_code_points, 0);
  if (m_entry) m_entry->SetMaxLength(m_limit);
}

void MEdit::SetNumberOnly(int on) {
  m_number_only = on ? 1 : 0;
}

void MEdit::SetReadOnly(int on) {
  m_read_only = on ? 1 : 0;
  if (m_entry) m_entry->SetReadOnly(m_read_only != 0);
}

int MEdit::SetIconImage(const char* file, int frames) {
  if (!m_manager || !file) return 0;
  ImgResInfo* info = m_manager->AddImgResInfo(file, frames);
  if (!info) return 0;
  m_icon = info->image.get();
  m_icon_frames = std::max(frames, 1);
  if (m_entry) m_entry->SetRect(GetTextArea());
  UpdateControl(1);
  return 1;
}

std::string MEdit::Filtered(const std::string& text) const {
  std::string out;
  if (m_number_only) {
    for (char c : text)
      if (c >= '0' && c <= '9') out.push_back(c);
  } else {
    out = text;
  }
  if (m_limit > 0) out = text::Truncate(out, static_cast<std::size_t>(m_limit));
  return out;
}

CRect MEdit::IconRect() const {
  if (!m_icon) return CRect();
  const int w = m_icon->Width() / m_icon_frames, h = m_icon->Height();
  const int left = m_rect.right - kIconMargin - w;
  const int top = m_rect.top + (m_rect.Height() - h) / 2;
  return CRect(left, top, left + w, top + h);
}

CRect MEdit::GetTextArea() const {
  CRect area = m_text_rect;
  if (area.IsRectEmpty()) {
    const int right =
        m_icon ? IconRect().left - m_rect.left - kIconMargin : m_rect.Width() - kTextInset;
    area = CRect(kTextInset, 0, right, m_rect.Height());
  }
  area.OffsetRect(m_rect.TopLeft());
  return area;
}

std::string MEdit::Shown() const {
  if (!m_password) return m_title;
  std::string dots;
  std::string bullet;
  text::AppendUtf8(bullet, m_password);
  for (std::size_t i = text::CodePointCount(m_title); i > 0; --i) dots += bullet;
  return dots;
}

void MEdit::EnsureEntry() {
  if (m_entry) return;
  m_entry = controls::CreateTextEntry(*this);
  if (!m_entry) return;
  TextEntry::Handlers handlers;
  handlers.changed = [this] { OnEntryChanged(); };
  handlers.focus_out = [this] { HideEdit(); };
  handlers.activate = [this] { HideEdit(); };
  handlers.cancel = [this] { Cancel(); };
  m_entry->SetHandlers(std::move(handlers));
}

void MEdit::ApplyEntryStyle() {
  m_entry->SetRect(GetTextArea());
  m_entry->SetFont(GetFontSpec());
  m_entry->SetColors(m_text_color, controls::kEditorBackground);
  m_entry->SetMaxLength(m_limit);
  m_entry->SetPasswordChar(m_password);
  m_entry->SetReadOnly(m_read_only != 0);
}

void MEdit::ShowEdit() {
  if (!m_enabled || !m_visible || IsEditing()) return;
  EnsureEntry();
  if (!m_entry) return;
  ApplyEntryStyle();
  m_text_at_open = m_title;
  SetEntryText(m_title);
  m_entry->Show(true);
  m_entry->SelectAll();
  m_entry->Focus();
  m_editing = true;
  UpdateControl(0);
  SendMessageW(kNotifyEditBegan);
  SendMessageW(kNotifyPressed);
}

void MEdit::HideEdit() {
  if (!IsEditing()) return;
  const std::string text = Filtered(m_entry->GetText());
  // Closed first: hiding takes the focus away, which calls here again.
  m_editing = false;
  m_entry->Show(false);
  if (text != m_title) m_title = text;
  UpdateControl(1);
  SendMessageW(kNotifyEditEnded);
}

void MEdit::Cancel() {
  if (!IsEditing()) return;
  SetEntryText(m_text_at_open);
  HideEdit();
}

void MEdit::OnEntryChanged() {
  if (m_applying || !m_entry) return;
  const std::string typed = m_entry->GetText();
  const std::string value = Filtered(typed);
  if (value != typed) {
    SetEntryText(value);
  }
  if (value == m_title) return;
  m_title = value;
  UpdateControl(1);
  SendMessageW(kNotifyEditChanged);
}

void MEdit::SetControlRect(CRect rect) {
  MControlFont::SetControlRect(rect);
  if (m_entry) m_entry->SetRect(GetTextArea());
}

void MEdit::SetControlVisible(int visible) {
  if (!visible) HideEdit();
  MControlFont::SetControlVisible(visible);
}

void MEdit::SetControlWndVisible(int visible) {
  if (!visible) HideEdit();
}

void MEdit::SetControlEnabled(int enabled) {
  if (!enabled) HideEdit();
  MControlFont::SetControlEnabled(enabled);
}

int MEdit::SetControlFocus(int focus) {
  if (!focus) HideEdit();
  return MControlFont::SetControlFocus(focus);
}

int MEdit::OnControlMouseMove(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const int inside = m_rect.PtInRect(pt) ? 1 : 0;
  if (inside != m_hover) {
    m_hover = inside;
    UpdateControl(0);
  }
  return inside;
}

int MEdit::OnControlLButtonDown(UINT, CPoint pt) {
  if (!m_enabled || !m_rect.PtInRect(pt)) return 0;
  if (IconRect().PtInRect(pt)) {
    HideEdit();
    m_icon_state = 2;
    SendMessageW(kNotifySecondaryPressed);
    return 1;
  }
  if (GetTextArea().PtInRect(pt)) ShowEdit();
  return 1;
}

int MEdit::OnControlLButtonUp(UINT, CPoint pt) {
  if (!m_enabled) return 0;
  const bool icon_pressed = m_icon_state == 2;
  m_icon_state = 0;
  if (icon_pressed && IconRect().PtInRect(pt)) SendMessageW(kNotifyIconReleased);
  return m_rect.PtInRect(pt) ? 1 : 0;
}

int MEdit::OnControlKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_SPACE && flags == 0 && m_enabled && IsFocused() && !IsEditing()) {
    SendMessageW(kNotifyPressed);
    SendMessageW(kNotifyClicked);
    return 1;
  }
  return MControlFont::OnControlKeyDown(key, repeat, flags);
}

// Frames: normal, hover, editing, disabled.
void MEdit::DrawControl(Canvas& dc, const CRect&) {
  const int shown = !m_enabled ? 3 : IsEditing() ? 2 : m_hover ? 1 : 0;
  controls::DrawStateFrames(*this, dc, 4, shown, [this](Canvas& mem, int i) {
    const CRect all(0, 0, m_rect.Width(), m_rect.Height());
    if (m_image) {
      const int frame = std::min(i, m_frames - 1);
      MRender::DrawImageFrame(mem, m_image, all, frame * m_frame_width, 0, m_frame_width,
                              m_frame_height, kCorner);
    }
    if (m_icon) {
      CRect icon = IconRect();
      icon.OffsetRect(-m_rect.left, -m_rect.top);
      const int w = icon.Width(), frame = std::min(i, m_icon_frames - 1);
      mem.DrawImage(*m_icon, icon, CRect(frame * w, 0, (frame + 1) * w, icon.Height()));
    }
    CRect box = GetTextArea();
    box.OffsetRect(-m_rect.left, -m_rect.top);
    const TextFormat format{kAlignLeft, kAlignVCenter, false, true};
    if (m_title.empty())
      mem.DrawText(m_hint, box, GetFontSpec(), kHintText, format);
    else
      mem.DrawText(Shown(), box, GetFontSpec(), i == 3 ? kHintText : m_text_color, format);
  });
}
