#include "gdi_text.h"

namespace vorlick {
namespace {

constexpr int kDefaultDpi = 96;
// What dialogs fall back on when the system tells no message font.
constexpr wchar_t kFallbackFace[] = L"MS Shell Dlg";
constexpr int kFallbackPoints = 8;
constexpr int kPointsPerInch = 72;

// GetProcAddress hands out a generic pointer; going through void(*)() tells
// the compiler the cast to the real signature is meant.
template <typename Function>
Function Find(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

void ReleaseGdi(BoxGdi& gdi) {
  if (gdi.font != nullptr) DeleteObject(gdi.font);
  if (gdi.icon != nullptr) DestroyIcon(gdi.icon);
  gdi.font = nullptr;
  gdi.icon = nullptr;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kDefaultDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

// GetDpiForWindow came with Windows 10; before it every window has the
// system's DPI.
int DpiOf(HWND window) {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  const auto dpiForWindow = Find<DpiForWindow>("GetDpiForWindow");
  const int dpi =
      dpiForWindow != nullptr ? static_cast<int>(dpiForWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

HFONT CreateMessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW& font = metrics.lfMessageFont;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics,
                            0) &&
      font.lfFaceName[0] != 0 && font.lfHeight != 0) {
    font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());
  } else {
    font = LOGFONTW{};
    font.lfHeight = -MulDiv(kFallbackPoints, dpi, kPointsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, kFallbackFace, LF_FACESIZE);
  }
  return CreateFontIndirectW(&font);
}

int MetricAt(int index, int dpi) {
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

TextMeter::TextMeter(HFONT font) : dc_(GetDC(nullptr)), previous_(nullptr) {
  if (dc_ != nullptr && font != nullptr) previous_ = SelectObject(dc_, font);
}

TextMeter::~TextMeter() {
  if (dc_ == nullptr) return;
  if (previous_ != nullptr) SelectObject(dc_, previous_);
  ReleaseDC(nullptr, dc_);
}

Size TextMeter::Measure(const wchar_t* text, int maxWidth, UINT format) const {
  RECT bounds{0, 0, maxWidth, 0};
  if (dc_ == nullptr) return {0, 0};
  DrawTextW(dc_, text, -1, &bounds, format | DT_CALCRECT);
  return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

int TextMeter::LineHeight() const {
  TEXTMETRICW metrics{};
  if (dc_ == nullptr || !GetTextMetricsW(dc_, &metrics)) return 0;
  return metrics.tmHeight;
}

int TextMeter::AverageCharWidth() const {
  static constexpr wchar_t kLetters[] =
      L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  constexpr int kCount = 52;
  SIZE size{};
  if (dc_ == nullptr || !GetTextExtentPoint32W(dc_, kLetters, kCount, &size)) {
    return 0;
  }
  return (size.cx + kCount / 2) / kCount;
}

wchar_t TextMeter::WidestDigit() const {
  INT widths[10] = {};
  wchar_t widest = L'0';
  if (dc_ == nullptr || !GetCharWidth32W(dc_, L'0', L'9', widths)) {
    return widest;
  }
  for (int i = 1; i < 10; ++i) {
    if (widths[i] > widths[widest - L'0'])
      widest = static_cast<wchar_t>(L'0' + i);
  }
  return widest;
}

}  // namespace vorlick
