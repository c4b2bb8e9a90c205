// Keys pressed on a box and the answer they end it with, the same contract
// on every front end: the GTK box (typed with xdotool), the terminal box
// (through a pseudo-terminal) and the Windows box (typed with SendInput)
// each run every case, naming the keys in their own way.
#pragma once

namespace vorlick_test {

struct KeyCase {
  const char* name;  // unique: the GTK test finds its box by it
  unsigned style;
  int defaultId;
  // Blank-separated: Enter, Space, Escape, Left, Right, Up, Down, Tab,
  // BackTab (Shift+Tab), or a character typed as it is.
  const char* keys;
  int result;
  // The case needs an access key on every button, as the Linux boxes give
  // them; the Windows box has them where Windows' own labels do.
  bool everyButtonKeyed = false;
};

inline constexpr KeyCase kKeyCases[] = {
    // Enter chooses the focused button: at first the default.
    {"enter on ok", 0x0, 0, "Enter", 1},
    {"enter on default", 0x4, 0, "Enter", 6},
    {"defbutton2", 0x4 | 0x100, 0, "Enter", 7},
    {"defbutton3", 0x2 | 0x200, 0, "Enter", 5},
    {"defbutton beyond count", 0x1 | 0x300, 0, "Enter", 1},
    {"defaultId", 0x3, 2, "Enter", 2},
    {"defaultId wins", 0x3 | 0x100, 2, "Enter", 2},
    {"defaultId not in box", 0x4 | 0x100, 2, "Enter", 7},
    // Escape: Cancel, OK on a lone OK box, else nothing.
    {"esc ok", 0x0, 0, "Escape", 1},
    {"esc ok cancel", 0x1, 0, "Escape", 2},
    {"esc yes no cancel", 0x3, 0, "Escape", 2},
    {"esc retry cancel", 0x5, 0, "Escape", 2},
    {"esc cancel try continue", 0x6 | 0x200, 0, "Escape", 2},
    {"esc ok help", 0x0 | 0x4000, 0, "Escape", 1},
    {"esc yes no ignored", 0x4, 0, "Escape Enter", 6},
    {"esc yes no then a letter", 0x4, 0, "Escape y", 6},
    {"esc abort retry ignore ignored", 0x2, 0, "Escape Enter", 3},
    // The focus round the row; right-to-left reading leaves it as it is.
    {"tab", 0x4, 0, "Tab Enter", 7},
    {"tab on three", 0x3, 0, "Tab Enter", 7},
    {"tab tab", 0x3, 0, "Tab Tab Enter", 2},
    {"tab round to the first", 0x3, 0, "Tab Tab Tab Enter", 6},
    {"shift tab", 0x2, 0, "BackTab Enter", 5},
    {"right", 0x1, 0, "Right Enter", 2},
    {"right right", 0x3, 0, "Right Right Enter", 2},
    {"right wraps", 0x4, 0, "Right Right Enter", 6},
    {"left wraps", 0x3, 0, "Left Enter", 2},
    {"down down up", 0x3, 0, "Down Down Up Enter", 7},
    {"right then space", 0x4, 0, "Right Space", 7},
    {"right to left left", 0x3 | 0x100000, 0, "Left Enter", 2},
    {"right to left right", 0x3 | 0x100000, 0, "Right Enter", 7},
    // Access keys, in either case.
    {"letter", 0x4, 0, "n", 7},
    {"letter on three", 0x3, 0, "n", 7},
    {"letter retry", 0x2, 0, "r", 4},
    {"capital letter", 0x4, 0, "N", 7},
    {"unknown keys ignored", 0x4, 0, "x 1 Enter", 6},
    {"shared letter moves", 0x6, 0, "c Enter", 11, true},
    {"shared letter twice", 0x6, 0, "c c Enter", 2, true},
    // Help informs and keeps the box up.
    {"help stays", 0x1 | 0x4000, 9, "Enter h Escape", 2},
    {"help stays open", 0x4 | 0x4000, 9, "Enter h Tab Enter", 6},
};

}  // namespace vorlick_test
