// The box's look since Windows 7: the icon and the message on the window
// colour, the buttons on a band of the dialog colour under them.
#include "box_paint.h"

namespace vorlick {
namespace {

void PaintBackground(HWND box, HDC dc, int bandTop) {
  RECT client{};
  GetClientRect(box, &client);
  RECT message = client;
  message.bottom = bandTop;
  RECT band = client;
  band.top = bandTop;
  FillRect(dc, &message, GetSysColorBrush(COLOR_WINDOW));
  FillRect(dc, &band, GetSysColorBrush(COLOR_3DFACE));
}

// The parts above the band draw on the window colour; the system's brushes
// are shared and never deleted.
INT_PTR ColourOf(HWND box, HDC dc, HWND control, int bandTop) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
  if (place.top >= bandTop) return 0;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace

INT_PTR PaintMessage(HWND box, const BoxCall& call, UINT message, WPARAM wParam,
                     LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      PaintBackground(box, reinterpret_cast<HDC>(wParam), call.gdi.bandTop);
      SetWindowLongPtrW(box, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return ColourOf(box, reinterpret_cast<HDC>(wParam),
                      reinterpret_cast<HWND>(lParam), call.gdi.bandTop);
    default:
      return 0;
  }
}

}  // namespace vorlick
