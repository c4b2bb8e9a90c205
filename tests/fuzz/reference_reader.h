// A deliberately plain second reading of a request, for checking the reader
// against: it searches the final text with std::u16string::find and reads
// numbers with 64-bit arithmetic, sharing no code with the reader but the
// code page table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "message_request.h"

namespace reference {

// The text the reader must end up with for the buffer `original`: a UTF-16
// request (one whose text holds "<TITLE>" before its first zero unit) up to
// that zero unit, otherwise the bytes before the first zero byte taken one
// Windows-1252 character each and cut to 2047 units.
std::u16string FinalText(const RequestText& original, bool& isUtf16);

// The value between the first opening and the first closing tag of a field,
// or nothing when either tag is missing.
std::optional<std::u16string> FieldValue(const std::u16string& text,
                                         const std::u16string& open,
                                         const std::u16string& close);

// A text field: the value cut to 1023 units.
std::u16string TextField(const std::u16string& value);

// A number field: the first 19 units as 8-bit characters, blanks, one sign,
// decimal digits, wrapped to 32 bits.
std::int32_t NumberField(const std::u16string& value);

}  // namespace reference
