// Everything one call of the library knows while its box is up: what every
// call sets up (box_setup.h) and what the Windows box adds. It lives on the
// calling thread's stack and the box holds a pointer to it, so boxes on
// several threads never share anything that changes.
#pragma once

#include "box_labels.h"
#include "box_setup.h"
#include "gdi_text.h"
#include "win32_api.h"

namespace vorlick {

struct BoxCall : BoxSetup {
  HWND owner;
  ButtonLabels labels;  // the buttons' labels, in the row's order
  int defaultId;        // the default button's ID, which DM_SETDEFID may change
  BoxGdi gdi;           // font and icon at the box's DPI, freed after the box
  HHOOK keyFilter;      // the thread's filter for the box's keys, or null
  bool started;         // WM_INITDIALOG came: the box exists
};

// The box's UTF-16 as Win32's wide strings, which are UTF-16 too.
inline const wchar_t* AsWide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

}  // namespace vorlick
