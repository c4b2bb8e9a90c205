// Text measuring and the message font. The few GDI functions this needs are
// looked up in the gdi32.dll that USER32 has already loaded, so that the
// library imports from KERNEL32 and USER32 alone.
#pragma once

#include "box_layout.h"
#include "dialog_template.h"

namespace vorlick {

struct GdiCalls {
  HGDIOBJ(WINAPI* selectObject)(HDC, HGDIOBJ);
  int(WINAPI* getDeviceCaps)(HDC, int);
};

// False when gdi32.dll or one of its functions is missing.
bool LoadGdiCalls(GdiCalls& gdi);

// The font message boxes use (the system's message font), as a template
// names it. Its face name lives in `metrics`, which must outlive the result.
TemplateFont MessageFont(const GdiCalls& gdi, NONCLIENTMETRICSW& metrics);

// The size `text` takes in `window`'s font when drawn with DrawTextW's
// `format` and wrapped at `maxWidth` pixels.
Size MeasureText(const GdiCalls& gdi, HWND window, const wchar_t* text,
                 int maxWidth, UINT format);

}  // namespace vorlick
