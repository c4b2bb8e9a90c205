// Reading a box's look: where its parts are, their font, whether its text
// shows in full, and the colours it paints.
#pragma once

#include <windows.h>

#include <string>

inline constexpr int kMessageId = 0xFFFF;
inline constexpr int kIconControlId = 20;
inline constexpr int kCountdownControlId = 21;

// A control's rectangle in the box's client coordinates.
RECT PlaceOf(HWND box, int id);
RECT ClientRectOf(HWND box);

// The font a control draws with.
LOGFONTW FontOf(HWND control);

// The system's message font, as SPI_GETNONCLIENTMETRICS tells it.
LOGFONTW SystemMessageFont();

// The class name without a manifest's version ("6.0.2600.2982!Edit").
std::wstring ClassOf(HWND control);

// The height a static control's text takes in its font at its width.
int TextHeightOf(HWND control);

// The height of one line in a control's font.
int LineHeightOf(HWND control);

// The mean width of the Latin letters in a control's font.
int AverageCharWidthOf(HWND control);

// The colour of the box's pixel at client point (x, y).
COLORREF PixelOf(HWND box, int x, int y);

// Lines of `count` words each: "Line 1", "Line 2", ... joined with CR LF.
std::wstring NumberedLines(int count);

// A text of exactly `units` units: words of four letters and blanks.
std::wstring Words(int units);
