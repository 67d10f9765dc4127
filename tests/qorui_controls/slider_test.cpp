// MSlider: thumb placement, dragging with clamping, the wheel.
#include "QorUI/slider.h"

#include "controls_fixture.h"

class SliderTest : public ControlsTest {
 protected:
  // Width 246 with a 20-pixel thumb: 226 pixels of travel for 0..10.
  void OpenSlider() {
    OpenWith(dlg, [&](TestDialog& d) {
      slider = Make<MSlider>(d, "MSlider", 75, CRect(100, 100, 346, 150));
      ASSERT_EQ(slider->SetImage("img_slider_track.png", 1), 1);
      ASSERT_EQ(slider->SetThumbImage("img_slider_thumb.png"), 1);
    });
  }
  std::vector<Notice> Take() {
    auto n = dlg.notices;
    dlg.notices.clear();
    return n;
  }

  TestDialog dlg;
  MSlider* slider = nullptr;
};

TEST_F(SliderTest, ThumbSitsAtTheValuesShareOfTheTravel) {
  OpenSlider();
  EXPECT_EQ(slider->GetThumbSize(), CSize(20, 20));
  struct Case {
    int value, left;
  };
  for (const Case& c : {Case{0, 100}, Case{5, 213}, Case{10, 326}, Case{12, 326}, Case{-3, 100}}) {
    slider->SetProgress(c.value);
    EXPECT_EQ(slider->GetThumbRect(), CRect(c.left, 115, c.left + 20, 135)) << c.value;
  }
  EXPECT_TRUE(dlg.notices.empty()) << "SetProgress reports nothing";
}

TEST_F(SliderTest, DraggingFollowsThePointerAndStopsAtTheEnds) {
  OpenSlider();
  slider->SetProgress(5);
  host->MouseMove(hwnd, CPoint(220, 125));
  host->LButtonDown(hwnd, CPoint(220, 125));
  struct Case {
    int x, value;
  };
  // value = x * 11 / 226, x measured from the left edge, clamped to 0..10.
  for (const Case& c :
       {Case{100 + 41, 1}, Case{100 + 206, 10}, Case{600, 10}, Case{20, 0}, Case{100 + 124, 6}}) {
    host->MouseMove(hwnd, CPoint(c.x, 125), MK_LBUTTON);
    EXPECT_EQ(slider->GetProgress(), c.value) << c.x;
  }
  const std::vector<Notice> moves{{75, kNotifyPositionChanged, 1, 0},
                                  {75, kNotifyPositionChanged, 10, 0},
                                  {75, kNotifyPositionChanged, 0, 0},
                                  {75, kNotifyPositionChanged, 6, 0}};
  EXPECT_EQ(Take(), moves) << "only changes are reported";
  host->LButtonUp(hwnd, CPoint(224, 125));
  EXPECT_EQ(Take(), (std::vector<Notice>{{75, kNotifyClicked, 6, 0}}));
  host->MouseMove(hwnd, CPoint(300, 125));
  EXPECT_EQ(slider->GetProgress(), 6) << "released: moves no longer drag";
}

TEST_F(SliderTest, WheelStepsByOneTowardsTheUserDecreasing) {
  OpenSlider();
  slider->SetProgress(1);
  host->MouseMove(hwnd, CPoint(200, 125));
  host->Wheel(hwnd, CPoint(200, 125), -WHEEL_DELTA);
  EXPECT_EQ(slider->GetProgress(), 0);
  host->Wheel(hwnd, CPoint(200, 125), -WHEEL_DELTA);
  EXPECT_EQ(slider->GetProgress(), 0);
  host->Wheel(hwnd, CPoint(200, 125), WHEEL_DELTA * 2);
  EXPECT_EQ(slider->GetProgress(), 2);
  const std::vector<Notice> expected{
      {75, kNotifyClicked, 0, 0}, {75, kNotifyClicked, 1, 0}, {75, kNotifyClicked, 2, 0}};
  EXPECT_EQ(Take(), expected);
}
