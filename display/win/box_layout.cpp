#include "box_layout.h"

namespace vorlick {
namespace {

int Max(int a, int b) { return a > b ? a : b; }

int ButtonWidth(const LayoutInput& input) {
  const Spacing& s = input.spacing;
  return Max(s.minButtonWidth, input.widestLabel + 2 * s.labelPadding);
}

int RowWidth(const LayoutInput& input) {
  const int n = input.buttonCount;
  if (n <= 0) return 0;
  return n * ButtonWidth(input) + (n - 1) * input.spacing.buttonSpacing;
}

int TextBlockHeight(const LayoutInput& input) {
  if (input.countdown.cy <= 0) return input.text.cy;
  return input.text.cy + input.spacing.lineGap + input.countdown.cy;
}

void PlaceButtons(const LayoutInput& input, int top, BoxLayout& layout) {
  const int width = ButtonWidth(input);
  int x = (layout.client.cx - RowWidth(input)) / 2;
  for (int i = 0; i < input.buttonCount && i < kMaxButtons; ++i) {
    layout.buttons[i] = {x, top, width, input.spacing.buttonHeight};
    x += width + input.spacing.buttonSpacing;
  }
}

}  // namespace

BoxLayout LayOut(const LayoutInput& input) {
  const Spacing& s = input.spacing;
  BoxLayout layout{};
  const bool hasIcon = input.icon.cx > 0;
  const int textLeft = s.marginX + (hasIcon ? input.icon.cx + s.iconGap : 0);
  const int blockWidth = Max(input.text.cx, input.countdown.cx);
  const int blockHeight = TextBlockHeight(input);
  const int contentHeight = Max(input.icon.cy, blockHeight);
  const int textTop = s.marginY + (contentHeight - blockHeight) / 2;

  if (hasIcon)
    layout.icon = {s.marginX, s.marginY, input.icon.cx, input.icon.cy};
  layout.text = {textLeft, textTop, blockWidth, input.text.cy};
  if (input.countdown.cy > 0) {
    layout.countdown = {textLeft, textTop + input.text.cy + s.lineGap,
                        blockWidth, input.countdown.cy};
  }
  const int buttonsTop = s.marginY + contentHeight + s.buttonsGap;
  layout.client.cx = Max(
      Max(textLeft + blockWidth + s.marginX, RowWidth(input) + 2 * s.marginX),
      input.captionWidth);
  layout.client.cy = buttonsTop + s.buttonHeight + s.marginY;
  PlaceButtons(input, buttonsTop, layout);
  return layout;
}

Place CenterIn(const Place& area, Size window) {
  const int x = area.x + Max(0, (area.cx - window.cx) / 2);
  const int y = area.y + Max(0, (area.cy - window.cy) / 2);
  return {x, y, window.cx, window.cy};
}

}  // namespace vorlick
