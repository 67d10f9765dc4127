// The transient message or progress box a window draws over its controls:
// shown at full strength, then faded out on its own timers.
#pragma once

#include <string>

#include "QorUI/canvas.h"
#include "QorUI/types.h"

class PaintManager;

class OverlayBox {
 public:
  explicit OverlayBox(PaintManager& owner) : m_owner(owner) {}
  ~OverlayBox();
  OverlayBox(const OverlayBox&) = delete;
  OverlayBox& operator=(const OverlayBox&) = delete;

  void SetMessage(const std::string& text, CRect rect, int level);
  void SetProgress(int percent, const std::string& text, CRect rect, CSize client);
  // Draws the box when it is visible enough (alpha above 10) and has text.
  void Draw(Canvas& dc) const;
  void Stop();

  int Alpha() const { return m_alpha; }
  int Shown() const { return m_shown; }
  int Target() const { return m_target; }
  const CRect& Rect() const { return m_rect; }
  const std::string& Text() const { return m_text; }

 private:
  enum Timer { kHold, kFade, kRise, kTimerCount };
  void Start(Timer timer, UINT period_ms);
  void StopTimer(Timer timer);
  void OnTick(Timer timer);
  void Repaint();

  PaintManager& m_owner;
  std::string m_text;
  int m_level = 0;
  int m_alpha = 0;
  int m_shown = 0;
  int m_target = 0;
  bool m_progress = false;
  CRect m_rect;
  UINT m_timers[kTimerCount] = {0, 0, 0};  // host timer ids
};
