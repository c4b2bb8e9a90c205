// UTF-8 <-> UTF-16 for the edges where POSIX hands over bytes: argv, paths
// and standard error. A byte that is not part of valid UTF-8 becomes the lone
// surrogate U+DC80 to U+DCFF and turns back into that byte, so any POSIX path
// survives the trip through UTF-16 unchanged.
#pragma once

// Both return the number of code units written, terminator not counted, or
// -1 when the output (with its terminator) does not fit `capacity`. The
// output is always terminated when capacity > 0.
int Utf8ToUtf16(const char* text, char16_t* out, int capacity);
int Utf16ToUtf8(const char16_t* text, char* out, int capacity);
