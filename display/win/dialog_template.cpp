#include "dialog_template.h"

namespace vorlick {
namespace {

void PutWord(DialogTemplate& dialog, WORD value) {
  if (dialog.used >= kTemplateWords) {
    dialog.overflow = true;
    return;
  }
  dialog.words[dialog.used++] = value;
}

void PutDword(DialogTemplate& dialog, DWORD value) {
  PutWord(dialog, LOWORD(value));
  PutWord(dialog, HIWORD(value));
}

// A zero-terminated string; null writes the lone terminator.
void PutString(DialogTemplate& dialog, const wchar_t* text) {
  if (text != nullptr) {
    for (; *text != 0; ++text) PutWord(dialog, static_cast<WORD>(*text));
  }
  PutWord(dialog, 0);
}

void AlignDword(DialogTemplate& dialog) {
  if (dialog.used % 2 != 0) PutWord(dialog, 0);
}

void PutZeroPlace(DialogTemplate& dialog) {
  for (int i = 0; i < 4; ++i) PutWord(dialog, 0);
}

}  // namespace

void BeginTemplate(DialogTemplate& dialog, DWORD style, DWORD exStyle,
                   int itemCount) {
  dialog.used = 0;
  dialog.overflow = false;
  PutWord(dialog, 1);       // dlgVer
  PutWord(dialog, 0xFFFF);  // signature of the extended form
  PutDword(dialog, 0);      // helpID
  PutDword(dialog, exStyle);
  PutDword(dialog, style);
  PutWord(dialog, static_cast<WORD>(itemCount));
  PutZeroPlace(dialog);
  PutWord(dialog, 0);  // no menu
  PutWord(dialog, 0);  // the dialog class
  PutWord(dialog, 0);  // no title: the caller's caption is set afterwards
}

void AddItem(DialogTemplate& dialog, const TemplateItem& item) {
  AlignDword(dialog);
  PutDword(dialog, 0);  // helpID
  PutDword(dialog, item.exStyle);
  PutDword(dialog, item.style);
  PutZeroPlace(dialog);
  PutDword(dialog, item.id);
  PutWord(dialog, 0xFFFF);
  PutWord(dialog, item.classAtom);
  PutString(dialog, item.title);
  PutWord(dialog, 0);  // no creation data
}

}  // namespace vorlick
