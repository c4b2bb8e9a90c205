// The box's layout arithmetic with the spacing of an 8-point Tahoma box at
// 96 DPI (dialog units of 6 by 13 pixels), checked to the pixel.
#include "box_layout.h"

#include <gtest/gtest.h>

namespace vorlick {
namespace {

constexpr Spacing kSpacing{.marginX = 12,
                           .marginY = 13,
                           .iconGap = 12,
                           .lineGap = 6,
                           .buttonsGap = 13,
                           .buttonSpacing = 6,
                           .buttonHeight = 23,
                           .minButtonWidth = 75,
                           .labelPadding = 9};

void ExpectPlace(const Place& actual, const Place& expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.cx, expected.cx);
  EXPECT_EQ(actual.cy, expected.cy);
}

LayoutInput Input(Size icon, Size text, Size countdown, int buttons,
                  int widestLabel, int captionWidth) {
  return {kSpacing, icon, text, countdown, buttons, widestLabel, captionWidth};
}

TEST(BoxLayout, ShortTextIsCentredBesideTheIcon) {
  const BoxLayout layout = LayOut(Input({32, 32}, {200, 13}, {0, 0}, 2, 20, 0));
  ExpectPlace(layout.icon, {12, 13, 32, 32});
  ExpectPlace(layout.text, {56, 22, 200, 13});
  ExpectPlace(layout.countdown, {0, 0, 0, 0});
  ExpectPlace(layout.buttons[0], {56, 58, 75, 23});
  ExpectPlace(layout.buttons[1], {137, 58, 75, 23});
  EXPECT_EQ(layout.client.cx, 268);
  EXPECT_EQ(layout.client.cy, 94);
}

TEST(BoxLayout, TallTextPushesTheButtonsDown) {
  const BoxLayout layout = LayOut(Input({32, 32}, {100, 52}, {0, 0}, 1, 10, 0));
  ExpectPlace(layout.icon, {12, 13, 32, 32});
  ExpectPlace(layout.text, {56, 13, 100, 52});
  ExpectPlace(layout.buttons[0], {46, 78, 75, 23});
  EXPECT_EQ(layout.client.cx, 168);
  EXPECT_EQ(layout.client.cy, 114);
}

TEST(BoxLayout, CountdownSitsUnderTheTextInItsColumn) {
  const BoxLayout layout = LayOut(Input({0, 0}, {100, 65}, {80, 13}, 3, 90, 0));
  ExpectPlace(layout.icon, {0, 0, 0, 0});
  ExpectPlace(layout.text, {12, 13, 100, 65});
  ExpectPlace(layout.countdown, {12, 84, 100, 13});
  // Labels wider than the least width widen every button alike.
  ExpectPlace(layout.buttons[0], {12, 110, 108, 23});
  ExpectPlace(layout.buttons[1], {126, 110, 108, 23});
  ExpectPlace(layout.buttons[2], {240, 110, 108, 23});
  EXPECT_EQ(layout.client.cx, 360);
  EXPECT_EQ(layout.client.cy, 146);
}

TEST(BoxLayout, TextAndCountdownShareTheWiderWidth) {
  const BoxLayout layout =
      LayOut(Input({32, 32}, {40, 13}, {70, 13}, 4, 30, 0));
  // Together exactly as tall as the icon: no centring offset.
  ExpectPlace(layout.text, {56, 13, 70, 13});
  ExpectPlace(layout.countdown, {56, 32, 70, 13});
  // Four buttons of 75 with three gaps of 6 need 318, wider than the text.
  EXPECT_EQ(layout.client.cx, 342);
  ExpectPlace(layout.buttons[0], {12, 58, 75, 23});
  ExpectPlace(layout.buttons[3], {255, 58, 75, 23});
}

TEST(BoxLayout, LongCaptionWidensTheBox) {
  const BoxLayout layout = LayOut(Input({0, 0}, {50, 13}, {0, 0}, 1, 10, 400));
  EXPECT_EQ(layout.client.cx, 400);
  EXPECT_EQ(layout.client.cy, 75);
  ExpectPlace(layout.text, {12, 13, 50, 13});
  ExpectPlace(layout.buttons[0], {162, 39, 75, 23});
}

TEST(BoxLayout, CenterInTheWorkArea) {
  struct Case {
    Place area;
    Size window;
    Place expected;
  };
  const Case cases[] = {
      {{0, 0, 1280, 1024}, {300, 120}, {490, 452, 300, 120}},
      {{100, 50, 800, 600}, {200, 100}, {400, 300, 200, 100}},
      {{0, 0, 101, 101}, {50, 50}, {25, 25, 50, 50}},
      {{100, 50, 800, 600}, {900, 700}, {100, 50, 900, 700}},
      {{-1280, 0, 1280, 1024}, {280, 24}, {-780, 500, 280, 24}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.area.x << "," << c.window.cx);
    ExpectPlace(CenterIn(c.area, c.window), c.expected);
  }
}

}  // namespace
}  // namespace vorlick
