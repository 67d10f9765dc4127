// MSpinButton: an edit and two buttons laid out in a panel; their own
// notifications stay inside, the owner only hears 28.
#include "QorUI/spin_button.h"

#include <algorithm>
#include <string>

#include "QorUI/buttons.h"
#include "QorUI/edit.h"
#include "QorUI/text.h"

namespace {
constexpr UINT kEditId = 10, kUpId = 11, kDownId = 12;
}

MSpinButton::MSpinButton(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible) {
  m_enabled = enabled;
  m_edit = static_cast<MEdit*>(AddChild(std::make_unique<MEdit>(this, kEditId, CRect(), "0")));
  m_up = static_cast<MButton*>(AddChild(std::make_unique<MButton>(this, kUpId, CRect())));
  m_down = static_cast<MButton*>(AddChild(std::make_unique<MButton>(this, kDownId, CRect())));
  m_edit->SetNumberOnly(1);
  Layout();
}

void MSpinButton::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  m_edit->SetImage("img_editbox.png", 4);
  m_up->SetImage("img_spin_up.png", 4);
  m_down->SetImage("img_spin_down.png", 4);
}

void MSpinButton::Layout() {
  const CRect r = m_rect;
  const int split = r.left + std::max(r.Width() - kButtonWidth, 0);
  const int middle = r.top + r.Height() / 2;
  m_edit->SetControlRect(CRect(r.left, r.top, split, r.bottom));
  m_up->SetControlRect(CRect(split, r.top, r.right, middle));
  m_down->SetControlRect(CRect(split, middle, r.right, r.bottom));
}

void MSpinButton::SetControlRect(CRect rect) {
  MPanel::SetControlRect(rect);
  Layout();
}

void MSpinButton::SetControlEnabled(int enabled) {
  MPanel::SetControlEnabled(enabled);
  for (MControl* c : {static_cast<MControl*>(m_edit), static_cast<MControl*>(m_up),
                      static_cast<MControl*>(m_down)})
    c->SetEnabled(enabled);
}

void MSpinButton::SetRange(int minimum, int maximum) {
  m_min = std::min(minimum, maximum);
  m_max = std::max(minimum, maximum);
  SetValue(m_value);
}

void MSpinButton::SetValue(int value) {
  m_value = std::clamp(value, m_min, m_max);
  ShowValue();
}

void MSpinButton::ShowValue() {
  m_edit->SetEditText(std::to_string(m_value));
}

void MSpinButton::Change(int value) {
  value = std::clamp(value, m_min, m_max);
  if (value == m_value) return;
  m_value = value;
  SendMessageW(kNotifySpinChanged);
}

LRESULT MSpinButton::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  switch (id) {
    case kUpId:
    case kDownId:
      if (code == kNotifyClicked) {
        Change(m_value + (id == kUpId ? m_step : -m_step));
        ShowValue();
      }
      return 0;
    case kEditId:
      if (code == kNotifyEditChanged) Change(text::ParseDecimal(m_edit->GetEditText()));
      // Whatever was typed, the field ends showing the value it stands for.
      if (code == kNotifyEditEnded) ShowValue();
      return 0;
    default:
      return MPanel::OnMessage(id, code, wParam, lParam);
  }
}

int MSpinButton::OnControlScroll(int, UINT flags, CPoint) {
  if (!m_enabled) return 0;
  Change(m_value + (flags ? -m_step : m_step));
  ShowValue();
  return 1;
}
