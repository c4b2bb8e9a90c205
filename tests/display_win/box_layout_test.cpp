// The box's layout arithmetic at 96 DPI with a font of 13-pixel lines,
// checked to the pixel.
#include "box_layout.h"

#include <gtest/gtest.h>

namespace vorlick {
namespace {

void ExpectPlace(const Place& actual, const Place& expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.cx, expected.cx);
  EXPECT_EQ(actual.cy, expected.cy);
}

LayoutInput Input(Size icon, Size text, Size countdown, int buttons,
                  int widestLabel) {
  LayoutInput input{};
  input.spacing = SpacingAt(96, 13);
  input.icon = icon;
  input.text = text;
  input.countdown = countdown;
  input.lineHeight = 13;
  input.scrollBarWidth = 17;
  input.buttonCount = buttons;
  input.widestLabel = widestLabel;
  input.screen = {1000, 700};
  return input;
}

TEST(BoxLayout, SpacingScalesWithTheDpiAndTheFont) {
  struct Case {
    int dpi;
    int lineHeight;
    Spacing expected;
  };
  const Case cases[] = {
      {96, 13, {24, 24, 12, 6, 11, 11, 7, 23, 75, 10}},
      {144, 20, {36, 36, 18, 9, 17, 17, 11, 35, 113, 15}},
      {96, 30, {24, 24, 12, 6, 11, 11, 7, 38, 75, 10}},  // a large font
      {120, 16, {30, 30, 15, 8, 14, 14, 9, 29, 94, 13}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    const Spacing s = SpacingAt(c.dpi, c.lineHeight);
    const Spacing& e = c.expected;
    EXPECT_EQ(s.marginX, e.marginX);
    EXPECT_EQ(s.marginY, e.marginY);
    EXPECT_EQ(s.iconGap, e.iconGap);
    EXPECT_EQ(s.lineGap, e.lineGap);
    EXPECT_EQ(s.bandMarginX, e.bandMarginX);
    EXPECT_EQ(s.bandMarginY, e.bandMarginY);
    EXPECT_EQ(s.buttonSpacing, e.buttonSpacing);
    EXPECT_EQ(s.buttonHeight, e.buttonHeight);
    EXPECT_EQ(s.minButtonWidth, e.minButtonWidth);
    EXPECT_EQ(s.labelPadding, e.labelPadding);
  }
}

TEST(BoxLayout, WrapsAtSeventyCharactersOrWhatTheScreenHolds) {
  struct Case {
    Size icon;
    int screenWidth;
    int averageChar;
    int expected;
  };
  const Case cases[] = {
      {{32, 32}, 1000, 6, 420},
      {{0, 0}, 1000, 7, 490},
      // Beside icon, margins and a scroll bar: 400 - 68 - 24 - 17.
      {{32, 32}, 400, 6, 291},
      {{0, 0}, 400, 6, 335},
      {{32, 32}, 50, 6, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screenWidth);
    LayoutInput input = Input(c.icon, {0, 0}, {0, 0}, 1, 10);
    input.screen.cx = c.screenWidth;
    EXPECT_EQ(WrapWidth(input, c.averageChar), c.expected);
  }
}

TEST(BoxLayout, MessageAboveTheBandWithTheButtonsOnTheRight) {
  const BoxLayout layout = LayOut(Input({32, 32}, {200, 13}, {0, 0}, 2, 20));
  ExpectPlace(layout.icon, {24, 24, 32, 32});
  ExpectPlace(layout.text, {68, 33, 200, 13});  // centred on the icon
  ExpectPlace(layout.countdown, {0, 0, 0, 0});
  EXPECT_EQ(layout.client.cx, 292);
  EXPECT_EQ(layout.client.cy, 125);
  EXPECT_EQ(layout.bandTop, 80);
  ExpectPlace(layout.buttons[0], {124, 91, 75, 23});
  ExpectPlace(layout.buttons[1], {206, 91, 75, 23});
  EXPECT_FALSE(layout.scrolls);
}

TEST(BoxLayout, CountdownUnderTheTextAndWideButtonsWidenTheBox) {
  const BoxLayout layout = LayOut(Input({0, 0}, {100, 65}, {120, 13}, 3, 90));
  ExpectPlace(layout.icon, {0, 0, 0, 0});
  // The text and the line share the wider width.
  ExpectPlace(layout.text, {24, 24, 120, 65});
  ExpectPlace(layout.countdown, {24, 95, 120, 13});
  // Labels wider than the least width widen every button alike.
  EXPECT_EQ(layout.client.cx, 366);
  EXPECT_EQ(layout.client.cy, 177);
  EXPECT_EQ(layout.bandTop, 132);
  ExpectPlace(layout.buttons[0], {11, 143, 110, 23});
  ExpectPlace(layout.buttons[1], {128, 143, 110, 23});
  ExpectPlace(layout.buttons[2], {245, 143, 110, 23});
}

TEST(BoxLayout, TextTallerThanTheScreenScrollsInWholeLines) {
  struct Case {
    int textHeight;
    bool countdown;
    bool scrolls;
    int shownHeight;
  };
  // Room for text: 700 less margins 48 and band 45; less 19 for the line.
  const Case cases[] = {
      {607, false, false, 607}, {608, false, true, 598},
      {588, true, false, 588},  {589, true, true, 585},
      {1300, true, true, 585},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.textHeight);
    const BoxLayout layout =
        LayOut(Input({32, 32}, {300, c.textHeight},
                     c.countdown ? Size{80, 13} : Size{}, 1, 10));
    EXPECT_EQ(layout.scrolls, c.scrolls);
    // The scroll bar goes beside the text, which keeps its width.
    ExpectPlace(layout.text, {68, 24, c.scrolls ? 317 : 300, c.shownHeight});
    EXPECT_LE(layout.client.cy, 700);
    EXPECT_EQ(layout.bandTop, layout.client.cy - 45);
    ExpectPlace(layout.buttons[0],
                {layout.client.cx - 86, layout.bandTop + 11, 75, 23});
  }
}

TEST(BoxLayout, EmptyTextTakesOneLine) {
  const BoxLayout layout = LayOut(Input({0, 0}, {0, 0}, {0, 0}, 1, 10));
  ExpectPlace(layout.text, {24, 24, 0, 13});
  EXPECT_EQ(layout.client.cy, 48 + 13 + 45);
}

TEST(BoxLayout, CaptionAndLeastSizeWidenTheBox) {
  LayoutInput input = Input({32, 32}, {200, 13}, {0, 0}, 2, 20);
  input.least = {400, 200};
  BoxLayout layout = LayOut(input);
  EXPECT_EQ(layout.client.cx, 400);
  EXPECT_EQ(layout.client.cy, 200);
  EXPECT_EQ(layout.bandTop, 155);
  ExpectPlace(layout.text, {68, 33, 200, 13});
  ExpectPlace(layout.buttons[1], {314, 166, 75, 23});
  input.least = {0, 0};
  input.captionWidth = 500;
  layout = LayOut(input);
  EXPECT_EQ(layout.client.cx, 500);
  EXPECT_EQ(layout.client.cy, 125);
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
