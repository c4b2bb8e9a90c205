#include "button_text.h"

namespace vorlick {

int Win32Label(Language language, int buttonId, LabelText& out) {
  const char16_t* text = ButtonText(language, buttonId);
  int length = 0;
  while (text[length] != 0 && length < kLabelUnits - 1) {
    out[length] = text[length];
    ++length;
  }
  out[length] = 0;
  return length;
}

}  // namespace vorlick
