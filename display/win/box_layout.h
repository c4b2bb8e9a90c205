// Where the parts of a box go, from their measured sizes: plain arithmetic in
// pixels, apart from the window code that measures and moves them.
#pragma once

#include "box_plan.h"

namespace vorlick {

struct Size {
  int cx;
  int cy;
};

struct Place {
  int x;
  int y;
  int cx;
  int cy;
};

// Distances in pixels at the box's DPI.
struct Spacing {
  int marginX;        // left and right of the message area's content
  int marginY;        // above and below it
  int iconGap;        // between the icon and the text
  int lineGap;        // between the text and the countdown line
  int bandMarginX;    // between the buttons and the band's ends
  int bandMarginY;    // above and below the buttons
  int buttonSpacing;  // between two buttons
  int buttonHeight;
  int minButtonWidth;
  int labelPadding;  // on each side of the widest label
};

// The message box's distances at 96 DPI scaled to `dpi`. Buttons are also
// at least 8 such pixels taller than a line of the font (`lineHeight`), so
// that a large message font still fits in them.
Spacing SpacingAt(int dpi, int lineHeight);

struct LayoutInput {
  Spacing spacing;
  Size icon;       // {0, 0} without an icon
  Size text;       // the message as wrapped
  Size countdown;  // the widest countdown line; {0, 0} without a time-out
  int lineHeight;  // of the message font
  int scrollBarWidth;
  int buttonCount;
  int widestLabel;
  int captionWidth;  // client width the title needs to show in full
  Size screen;       // the largest client area the work area holds
  Size least;        // the client area is at least this large
};

struct BoxLayout {
  Place icon;
  Place text;
  Place countdown;
  Place buttons[kMaxButtons];
  Size client;
  int bandTop;   // the button band runs from here to the bottom
  bool scrolls;  // the text is taller than the screen holds: it scrolls
};

// Where the message wraps: at about 70 average characters, narrower where
// the screen beside the icon, the margins and a scroll bar holds less.
int WrapWidth(const LayoutInput& input, int averageCharWidth);

// The message area on top: the icon at its top left, the text beside it
// (centred on a taller icon), the countdown line under the text in the
// same column. Under it the band with one row of equally wide buttons at
// its right end. Text taller than the screen holds shows as many whole
// lines as fit and scrolls, so the buttons stay on the screen. Right-to-left
// reading mirrors nothing, as it does not in the system's own message box.
BoxLayout LayOut(const LayoutInput& input);

// `window` centred in `area`; a window larger than the area keeps its top
// left corner in the area so that its caption stays reachable.
Place CenterIn(const Place& area, Size window);

}  // namespace vorlick
