// The caller's UTF-16 text as the UTF-8 both boxes draw.
#pragma once

#include <string>

namespace vorlick {

// Null is an empty text. CR LF and a lone CR become LF, so every front-end
// sees one kind of line break. What cannot be drawn safely becomes U+FFFD:
// unpaired surrogates (GTK refuses invalid UTF-8) and control characters
// other than tab and line feed (on a terminal they would be commands).
std::string ToDisplayText(const char16_t* text);

// The same for a title, which is one line: line breaks and tabs become
// spaces.
std::string ToDisplayTitle(const char16_t* title);

}  // namespace vorlick
