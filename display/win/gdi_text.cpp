#include "gdi_text.h"

namespace vorlick {
namespace {

// The font dialogs fall back on when the system does not tell its own.
constexpr wchar_t kFallbackFace[] = L"MS Shell Dlg";
constexpr WORD kFallbackPoints = 8;
constexpr int kPointsPerInch = 72;
constexpr int kDefaultDpi = 96;

// GetProcAddress hands out a generic pointer; going through void(*)() tells
// the compiler the cast to the real signature is meant.
template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function) {
  FARPROC found = GetProcAddress(module, name);
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
  return found != nullptr;
}

int ScreenDpi(const GdiCalls& gdi) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kDefaultDpi;
  const int dpi = gdi.getDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

bool LoadGdiCalls(GdiCalls& gdi) {
  HMODULE module = GetModuleHandleW(L"gdi32.dll");
  if (module == nullptr) return false;
  const bool selected = Resolve(module, "SelectObject", gdi.selectObject);
  const bool caps = Resolve(module, "GetDeviceCaps", gdi.getDeviceCaps);
  return selected && caps;
}

TemplateFont MessageFont(const GdiCalls& gdi, NONCLIENTMETRICSW& metrics) {
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = sizeof metrics;
  const LOGFONTW& font = metrics.lfMessageFont;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics,
                             0) ||
      font.lfFaceName[0] == 0 || font.lfHeight == 0) {
    return {kFallbackPoints, FW_NORMAL, FALSE, DEFAULT_CHARSET, kFallbackFace};
  }
  const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  const int points = MulDiv(height, kPointsPerInch, ScreenDpi(gdi));
  return {static_cast<WORD>(points > 0 ? points : kFallbackPoints),
          static_cast<WORD>(font.lfWeight), font.lfItalic, font.lfCharSet,
          font.lfFaceName};
}

Size MeasureText(const GdiCalls& gdi, HWND window, const wchar_t* text,
                 int maxWidth, UINT format) {
  RECT bounds{0, 0, maxWidth, 0};
  HDC dc = GetDC(window);
  if (dc == nullptr) return {0, 0};
  auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font != nullptr ? gdi.selectObject(dc, font) : nullptr;
  DrawTextW(dc, text, -1, &bounds, format | DT_CALCRECT);
  if (previous != nullptr) gdi.selectObject(dc, previous);
  ReleaseDC(window, dc);
  return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

}  // namespace vorlick
