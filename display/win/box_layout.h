// Where the parts of a box go, from their measured sizes: plain arithmetic in
// pixels, apart from the window code that measures and moves them.
#pragma once

#include "box_style.h"

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

// Distances in pixels, taken from the dialog font's units.
struct Spacing {
  int marginX;
  int marginY;
  int iconGap;        // between the icon and the text
  int lineGap;        // between the text and the countdown line
  int buttonsGap;     // above the row of buttons
  int buttonSpacing;  // between two buttons
  int buttonHeight;
  int minButtonWidth;
  int labelPadding;  // on each side of the widest label
};

struct LayoutInput {
  Spacing spacing;
  Size icon;       // {0, 0} without an icon
  Size text;       // the message as wrapped
  Size countdown;  // {0, 0} without a time-out
  int buttonCount;
  int widestLabel;
  int captionWidth;  // client width the title needs to show in full
};

struct BoxLayout {
  Place icon;
  Place text;
  Place countdown;
  Place buttons[kMaxButtons];
  Size client;
};

// Icon at the top left, the text beside it (centred on a taller icon), the
// countdown line under the text and in the same column, then one row of
// equally wide buttons centred under everything.
BoxLayout LayOut(const LayoutInput& input);

// `window` centred in `area`; a window larger than the area keeps its top
// left corner in the area so that its caption stays reachable.
Place CenterIn(const Place& area, Size window);

}  // namespace vorlick
