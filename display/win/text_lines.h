// The lines of a message: CR LF, a lone LF and a lone CR each end one, as
// they do where the message is drawn as a static text.
#pragma once

namespace vorlick {

struct TextLine {
  int length;  // units of the line, without its break
  int next;    // where the next line starts; -1: this is the last line
};

// The line that starts at `start` in the zero-terminated `text`.
TextLine LineAt(const wchar_t* text, int start);

}  // namespace vorlick
