#include "look_support.h"

RECT PlaceOf(HWND box, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(box, id), &rect);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT ClientRectOf(HWND box) {
  RECT rect{};
  GetClientRect(box, &rect);
  return rect;
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  auto handle =
      reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (handle != nullptr) GetObjectW(handle, sizeof font, &font);
  return font;
}

LOGFONTW SystemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

std::wstring ClassOf(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  const std::wstring full = name;
  return full.substr(full.find(L'!') + 1);
}

namespace {

// Runs `use` with a screen DC that has the control's font selected.
template <typename Use>
auto WithFontOf(HWND control, Use use) {
  HDC dc = GetDC(nullptr);
  auto font =
      reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font);
  const auto result = use(dc);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return result;
}

}  // namespace

int TextHeightOf(HWND control) {
  wchar_t text[4096] = {};
  GetWindowTextW(control, text, 4096);
  RECT rect{};
  GetClientRect(control, &rect);
  return WithFontOf(control, [&](HDC dc) {
    DrawTextW(dc, text, -1, &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX |
                  DT_EDITCONTROL);
    return static_cast<int>(rect.bottom - rect.top);
  });
}

int LineHeightOf(HWND control) {
  return WithFontOf(control, [](HDC dc) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return static_cast<int>(metrics.tmHeight);
  });
}

int AverageCharWidthOf(HWND control) {
  return WithFontOf(control, [](HDC dc) {
    SIZE size{};
    GetTextExtentPoint32W(
        dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    return static_cast<int>(size.cx / 52);
  });
}

COLORREF PixelOf(HWND box, int x, int y) {
  HDC dc = GetDC(box);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(box, dc);
  return colour;
}

std::wstring NumberedLines(int count) {
  std::wstring text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += L"\r\n";
    text += L"Line " + std::to_wstring(i);
  }
  return text;
}

std::wstring Words(int units) {
  std::wstring text;
  while (static_cast<int>(text.size()) < units) text += L"word ";
  text.resize(units);
  return text;
}
