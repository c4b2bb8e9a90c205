// The buttons' labels, one table for every front-end. Each front-end marks
// the access key the way its toolkit reads it: "&Yes" for a Win32 button,
// "_Yes" for a GTK one, nothing on the terminal.
#pragma once

namespace vorlick {

// Room for the longest label, its mark and the terminator.
inline constexpr int kLabelUnits = 16;

struct ButtonLabel {
  const char* text;  // plain ASCII, "Try Again"; "" for an ID of no button
  int accessKey;     // index in `text` of the access key's letter; -1: none
  // Windows' own message boxes mark no access key on OK, Cancel and Help;
  // Vorlick.dll looks the same. GTK's own buttons mark theirs on every one.
  bool markedOnWindows;
};

ButtonLabel LabelOf(int buttonId);

// Writes `text` with `mark` before the letter at `accessKey` (no mark when
// it is -1) and returns the length in units. A text too long for the
// buffer is cut, never overrun; no label comes near that.
int MarkLabel(const char* text, int accessKey, char mark,
              char (&out)[kLabelUnits]);
int MarkLabel(const char* text, int accessKey, char16_t mark,
              char16_t (&out)[kLabelUnits]);

}  // namespace vorlick
