#include "button_text.h"

namespace vorlick {

int Win32Label(int buttonId, ButtonText& out) {
  const ButtonLabel label = LabelOf(buttonId);
  const int key = label.markedOnWindows ? label.accessKey : -1;
  return MarkLabel(label.text, key, u'&', out);
}

}  // namespace vorlick
