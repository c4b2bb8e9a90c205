#include "text_lines.h"

namespace vorlick {

TextLine LineAt(const wchar_t* text, int start) {
  int end = start;
  while (text[end] != 0 && text[end] != L'\r' && text[end] != L'\n') ++end;
  if (text[end] == 0) return {end - start, -1};
  const int next =
      text[end] == L'\r' && text[end + 1] == L'\n' ? end + 2 : end + 1;
  return {end - start, next};
}

}  // namespace vorlick
