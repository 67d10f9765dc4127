// The overlay message/progress box: a 3 s hold, then a fade of 10 alpha
// steps every 50 ms; progress rises by 2 every 10 ms towards its target.
#include "framework/overlay_box.h"

#include "QorUI/host.h"
#include "QorUI/manager.h"
#include "QorUI/paint_manager.h"

OverlayBox::~OverlayBox() {
  Stop();
}

void OverlayBox::Stop() {
  for (int t = 0; t < kTimerCount; ++t) StopTimer(static_cast<Timer>(t));
}

void OverlayBox::Start(Timer timer, UINT period_ms) {
  StopTimer(timer);
  if (Host* host = Host::Current())
    m_timers[timer] = host->AddTimer(period_ms, [this, timer] { OnTick(timer); });
}

void OverlayBox::StopTimer(Timer timer) {
  if (m_timers[timer] == 0) return;
  if (Host* host = Host::Current()) host->RemoveTimer(m_timers[timer]);
  m_timers[timer] = 0;
}

void OverlayBox::Repaint() {
  m_owner.InvalidateRect(m_rect);
}

void OverlayBox::SetMessage(const std::string& text, CRect rect, int level) {
  StopTimer(kHold);
  StopTimer(kFade);
  m_alpha = 255;
  m_text = text;
  m_level = level;
  m_shown = 0;
  m_progress = false;
  m_rect = rect;
  Repaint();
  Start(kHold, 3000);
}

void OverlayBox::SetProgress(int percent, const std::string& text, CRect rect, CSize client) {
  if (percent == m_target) return;
  if (percent < 5) StopTimer(kFade);
  m_alpha = 255;
  m_text = text;
  m_target = percent;
  m_progress = true;
  m_rect = rect.IsRectEmpty() ? CRect(0, client.cy - 60, client.cx, client.cy - 2) : rect;
  if (m_target - m_shown < 6) {
    m_shown = m_target;
    Repaint();
    if (m_shown > 99) Start(kFade, 50);
    return;
  }
  Start(kRise, 10);
}

void OverlayBox::OnTick(Timer timer) {
  switch (timer) {
    case kHold:
      StopTimer(kHold);
      Start(kFade, 50);
      break;
    case kFade:
      m_alpha -= 10;
      if (m_alpha < 20) {
        m_alpha = 0;
        m_shown = m_target = 0;
        StopTimer(kFade);
      }
      Repaint();
      break;
    case kRise:
      m_shown = std::min(m_shown + 2, m_target);
      if (m_shown >= m_target) StopTimer(kRise);
      if (m_shown >= 100) Start(kFade, 50);
      Repaint();
      break;
    case kTimerCount:
      break;
  }
}

void OverlayBox::Draw(Canvas& dc) const {
  if (m_alpha <= 10 || m_text.empty() || m_rect.IsRectEmpty()) return;
  const unsigned a = static_cast<unsigned>(m_alpha);
  dc.FillRect(m_rect, MakeArgb(a, 0xE6, 0xE6, 0xE6));
  CRect inner = m_rect;
  inner.DeflateRect(2, 2);
  dc.FillRect(inner, MakeArgb(a, 0xFE, 0xFE, 0xFE));
  const FontSpec font{Manager::GetFontName(), 12, 0};
  const ARGB ink = MakeArgb(a, 0x05, 0x05, 0x05);
  const int l = m_rect.left, t = m_rect.top;
  if (!m_progress) {
    dc.DrawText(m_text, CRect(l + 5, t + 5, l + 195, t + 55), font, ink,
                {kAlignLeft, kAlignTop, true, false});
    return;
  }
  dc.DrawText(m_text, CRect(l + 5, t + 5, l + m_rect.Width() - 5, t + 35), font, ink,
              {kAlignCenter, kAlignVCenter, false, true});
  const float y = m_rect.bottom - 15 + 0.5f;
  dc.DrawLine(l + 10, y, m_rect.right - 20, y, 0xC8C8C8C8, 1);
  const int bar = m_shown * (m_rect.Width() - 20) / 100;
  dc.FillRect(CRect(l + 10, m_rect.bottom - 16, l + 10 + bar, m_rect.bottom - 13), 0xFEFFE100);
}
