// Everything one call of the library knows while its box is up. It lives on
// the calling thread's stack and the box holds a pointer to it, so boxes on
// several threads never share anything that changes.
#pragma once

#include <cstdint>

#include "box_labels.h"
#include "box_style.h"
#include "countdown.h"
#include "gdi_text.h"

namespace vorlick {

// Control IDs of the box's static parts: apart from every button ID and
// from IDTIMEOUT. The message text has the ID message boxes give it.
inline constexpr int kIconId = 20;
inline constexpr int kCountdownId = 21;
inline constexpr int kTextId = 0xFFFF;

inline constexpr UINT_PTR kCountdownTimer = 1;

struct BoxCall {
  HWND owner;
  const wchar_t* text;
  const wchar_t* caption;
  BoxPlan plan;
  ButtonLabels labels;  // the buttons' labels, in the row's order
  int defaultId;        // the default button's ID, which DM_SETDEFID may change
  int timeoutSeconds;   // 0: the box waits for an answer
  Countdown countdown;  // on GetTickCount64's clock
  BoxGdi gdi;           // font and icon at the box's DPI, freed after the box
  HHOOK keyFilter;      // the thread's filter for the box's keys, or null
};

// Writes the box's template: icon, text, countdown line and buttons in that
// order, the default button marked. False when it does not fit.
bool BuildBoxTemplate(const BoxCall& call, DialogTemplate& dialog);

// Gives a freshly made box its font and icon at its DPI, measures its parts
// and sizes, places and centres it, once: nothing moves afterwards unless
// the DPI changes.
void PlaceBox(HWND box, BoxCall& call);

// The box's look: it paints its message area and button band and answers
// WM_DPICHANGED. Returns what the dialog procedure returns for `message`,
// or 0 for a message it leaves to the rest of the box.
INT_PTR LookMessage(HWND box, BoxCall& call, UINT message, WPARAM wParam,
                    LPARAM lParam);

// Shows the box and returns the chosen button's ID, IDTIMEOUT, or 0 when
// the box could not be made.
int ShowBox(BoxCall& call);

}  // namespace vorlick
