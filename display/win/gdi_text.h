// The box's DPI, its message font and icon at that DPI, and text measuring.
#pragma once

#include "box_layout.h"
#include "win32_api.h"

namespace vorlick {

// What the box draws with at its current DPI. The call owns the font and
// the icon: ReleaseGdi frees them once the box is gone, and a DPI change
// replaces them.
struct BoxGdi {
  int dpi;
  HFONT font;
  HICON icon;
  int bandTop;   // where the button band starts, in client pixels
  bool scrolls;  // the message is an edit control with a scroll bar
};

void ReleaseGdi(BoxGdi& gdi);

// The box's DPI: the window's own where user32 tells it, else the screen's.
int DpiOf(HWND window);

// The DPI the system metrics and SPI_GETNONCLIENTMETRICS are given in.
int SystemDpi();

// The system's message font at `dpi`; null when no font could be made.
HFONT CreateMessageFont(int dpi);

// A system metric (SM_CXICON, SM_CXVSCROLL, ...) at `dpi`.
int MetricAt(int index, int dpi);

// A screen DC with a font selected, for measuring text in it.
class TextMeter {
 public:
  explicit TextMeter(HFONT font);
  ~TextMeter();
  TextMeter(const TextMeter&) = delete;
  TextMeter& operator=(const TextMeter&) = delete;

  // The size `text` takes when drawn with DrawTextW's `format`, wrapped at
  // `maxWidth` pixels.
  Size Measure(const wchar_t* text, int maxWidth, UINT format) const;
  int LineHeight() const;
  // The mean width of the Latin letters, as dialogs measure their font.
  int AverageCharWidth() const;
  // The widest of the digits 0 to 9.
  wchar_t WidestDigit() const;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace vorlick
