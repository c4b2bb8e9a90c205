// Everything one call of the library knows while its box is up. It lives on
// the calling thread's stack and the box holds a pointer to it, so boxes on
// several threads never share anything that changes.
#pragma once

#include "box_labels.h"
#include "box_plan.h"
#include "countdown.h"
#include "gdi_text.h"
#include "win32_api.h"

namespace vorlick {

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
  bool started;         // WM_INITDIALOG came: the box exists
};

}  // namespace vorlick
