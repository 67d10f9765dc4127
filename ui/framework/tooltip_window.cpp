// Tooltip popup: white, a thin grey frame, text wrapped at 256 pixels.
#include "framework/tooltip_window.h"

#include "QorUI/manager.h"

namespace {
constexpr int kMaxWidth = 256;
constexpr int kPadX = 6;
constexpr int kPadY = 4;
}  // namespace

void TooltipWindow::Show(const std::string& text, CPoint screen_point, HWND owner) {
  if (text.empty()) {
    m_text.clear();
    Hide();
    return;
  }
  Host* host = Host::Current();
  if (!host) return;
  const FontSpec font{Manager::GetFontName(), 12, 0};
  const CSize size = Canvas::MeasureText(text, font, kMaxWidth);
  const CRect rect(screen_point, CSize(size.cx + 2 * kPadX, size.cy + 2 * kPadY));
  if (text != m_text || m_picture.IsNull()) {
    m_text = text;
    m_picture = Canvas(rect.Width(), rect.Height());
    m_picture.FillSolidRect(m_picture.Bounds(), RGB(0xFF, 0xFF, 0xFF));
    m_picture.DrawRect(m_picture.Bounds(), 0xFF767676);
    m_picture.DrawText(text, CRect(kPadX, kPadY, rect.Width() - kPadX, rect.Height() - kPadY), font,
                       0xFF000000, {kAlignLeft, kAlignTop, true, false});
  }
  if (!m_native) {
    NativeWindowParams params;
    params.kind = WindowKind::kTooltip;
    params.rect = rect;
    params.owner = owner;
    m_native = host->CreateNativeWindow(params, this);
    if (!m_native) return;
  } else {
    m_native->SetWindowRect(rect);
  }
  m_native->Invalidate(m_picture.Bounds());
  m_native->Show(SW_SHOWNOACTIVATE);
}

void TooltipWindow::Hide() {
  if (m_native) m_native->Show(SW_HIDE);
}

LRESULT TooltipWindow::OnNativeMessage(UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_PAINT) {
    reinterpret_cast<PaintRequest*>(lParam)->buffer = &m_picture;
    return 1;
  }
  return 0;
}
