// An extended dialog template (DLGTEMPLATEEX) written into a fixed buffer,
// so a box needs neither resources nor heap memory.
#pragma once

#include "win32_api.h"

namespace vorlick {

// Room for the header and seven controls with short titles.
inline constexpr int kTemplateWords = 512;

// The predefined control classes, as the atoms a template names them by.
inline constexpr WORD kButtonClass = 0x0080;
inline constexpr WORD kStaticClass = 0x0082;

struct TemplateItem {
  DWORD style;
  DWORD exStyle;
  WORD classAtom;
  DWORD id;
  const wchar_t* title;  // null for none
};

struct DialogTemplate {
  alignas(DWORD) WORD words[kTemplateWords];
  int used;
  bool overflow;  // something did not fit: the template must not be used
};

// Starts a template for `itemCount` items at size zero and without a font:
// the box gives its controls their font and sizes itself when created.
void BeginTemplate(DialogTemplate& dialog, DWORD style, DWORD exStyle,
                   int itemCount);

// Appends one control, aligned on a DWORD as the format asks.
void AddItem(DialogTemplate& dialog, const TemplateItem& item);

inline const DLGTEMPLATE* AsTemplate(const DialogTemplate& dialog) {
  return reinterpret_cast<const DLGTEMPLATE*>(dialog.words);
}

}  // namespace vorlick
