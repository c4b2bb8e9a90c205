#include "reference_reader.h"

#include "cp1252.h"

namespace reference {

std::u16string FinalText(const RequestText& original, bool& isUtf16) {
  std::u16string wide;
  for (char16_t unit : original) {
    if (unit == 0) break;
    wide += unit;
  }
  isUtf16 = wide.find(u"<TITLE>") != std::u16string::npos;
  if (isUtf16) return wide;
  const auto* bytes = reinterpret_cast<const unsigned char*>(original);
  std::u16string converted;
  for (std::size_t i = 0; i < sizeof(RequestText) && bytes[i] != 0; ++i) {
    if (converted.size() == kRequestTextUnits - 1) break;
    converted += Cp1252ToUnit(bytes[i]);
  }
  return converted;
}

std::optional<std::u16string> FieldValue(const std::u16string& text,
                                         const std::u16string& open,
                                         const std::u16string& close) {
  const std::size_t openAt = text.find(open);
  const std::size_t closeAt = text.find(close);
  if (openAt == std::u16string::npos || closeAt == std::u16string::npos) {
    return std::nullopt;
  }
  const std::size_t start = openAt + open.size();
  if (closeAt <= start) return std::u16string();
  return text.substr(start, closeAt - start);
}

std::u16string TextField(const std::u16string& value) {
  return value.substr(0, kRequestFieldUnits - 1);
}

std::int32_t NumberField(const std::u16string& value) {
  std::string bytes;
  for (std::size_t i = 0; i < value.size() && i < 19; ++i) {
    bytes += UnitToCp1252(value[i]);
  }
  std::size_t at = 0;
  auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (at < bytes.size() && blank(bytes[at])) ++at;
  bool negative = false;
  if (at < bytes.size() && (bytes[at] == '+' || bytes[at] == '-')) {
    negative = bytes[at++] == '-';
  }
  std::uint64_t value64 = 0;
  for (; at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9'; ++at) {
    value64 = (value64 * 10 + static_cast<unsigned>(bytes[at] - '0')) %
              (std::uint64_t{1} << 32);
  }
  if (negative)
    value64 = ((std::uint64_t{1} << 32) - value64) % (std::uint64_t{1} << 32);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value64));
}

}  // namespace reference
