// Reads a tagged request: finds each field's tags, copies text values and
// reads number values as decimal integers.
#include <cstring>

#include "decimal.h"
#include "message_request.h"
#include "platform_api.h"

namespace {

constexpr int kNotFound = -1;

// The 8-bit number buffer: 19 bytes of text and the terminating zero.
constexpr int kNumberBytes = 20;

using Tag = RequestTag;
constexpr int kFieldCount = kRequestFields;

// Where a field's tags were first found, or kNotFound.
struct TagPositions {
  int open;
  int close;
};
using FoundTags = TagPositions[kFieldCount];

// Whether `tag` stands at `at`. The text's terminator never matches a tag
// unit, so a tag cut off by it does not match.
bool TagAt(const RequestText& text, int at, Tag tag) {
  for (int k = 0; k < tag.length; ++k) {
    if (at + k >= kRequestTextUnits || text[at + k] != tag.text[k]) {
      return false;
    }
  }
  return true;
}

// Word-at-a-time scanning: four units (or eight bytes) per step, the lanes
// tested for zero with the usual borrow trick.
constexpr std::uint64_t kUnitOnes = 0x0001000100010001u;
constexpr std::uint64_t kUnitHighs = 0x8000800080008000u;
constexpr std::uint64_t kByteOnes = 0x0101010101010101u;
constexpr std::uint64_t kByteHighs = 0x8080808080808080u;

bool HasZeroLane(std::uint64_t word, std::uint64_t ones, std::uint64_t highs) {
  return ((word - ones) & ~word & highs) != 0;
}

// The first position from `at` that holds `unit` or the terminator, or
// kRequestTextUnits when the buffer ends first.
int SkipToUnitOrEnd(const RequestText& text, int at, char16_t unit) {
  const std::uint64_t pattern = kUnitOnes * unit;
  for (; at + 4 <= kRequestTextUnits; at += 4) {
    std::uint64_t word = 0;
    std::memcpy(&word, text + at, sizeof word);
    if (HasZeroLane(word, kUnitOnes, kUnitHighs) ||
        HasZeroLane(word ^ pattern, kUnitOnes, kUnitHighs)) {
      break;
    }
  }
  while (at < kRequestTextUnits && text[at] != unit && text[at] != 0) ++at;
  return at;
}

// The number of bytes before the first zero byte, at most `capacity`.
int ByteLength(const char* bytes, int capacity) {
  int length = 0;
  for (; length + 8 <= capacity; length += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes + length, sizeof word);
    if (HasZeroLane(word, kByteOnes, kByteHighs)) break;
  }
  while (length < capacity && bytes[length] != 0) ++length;
  return length;
}

int FindTag(const RequestText& text, Tag tag) {
  for (int at = 0;; ++at) {
    at = SkipToUnitOrEnd(text, at, tag.text[0]);
    if (at >= kRequestTextUnits || text[at] == 0) return kNotFound;
    if (TagAt(text, at, tag)) return at;
  }
}

// Notes `tag` at `at` if it stands there and was not found before.
void Note(const RequestText& text, int at, Tag tag, int& position,
          int& missing) {
  if (position == kNotFound && TagAt(text, at, tag)) {
    position = at;
    --missing;
  }
}

// The first occurrence of every tag, found in one pass over the text: the
// same positions as ten separate searches from the start, in a tenth of the
// time. Every tag begins with "<", so only those positions are compared.
void LocateTags(const RequestText& text, FoundTags& found) {
  int missing = 2 * kFieldCount;
  for (TagPositions& field : found) field = {kNotFound, kNotFound};
  for (int at = 0; missing > 0; ++at) {
    at = SkipToUnitOrEnd(text, at, u'<');
    if (at >= kRequestTextUnits || text[at] == 0) return;
    for (int f = 0; f < kFieldCount; ++f) {
      Note(text, at, kRequestTags[f].open, found[f].open, missing);
      Note(text, at, kRequestTags[f].close, found[f].close, missing);
    }
  }
}

// Rewrites an 8-bit request as UTF-16, in place. A full 2048-byte request
// would need 2049 units with its terminator; the text is then cut to the
// 2047 units that fit, so it always ends within the buffer.
void ConvertAnsiRequest(RequestText& text) {
  const char* bytes = reinterpret_cast<const char*>(text);
  constexpr int kByteCapacity = static_cast<int>(sizeof(RequestText));
  const int length = ByteLength(bytes, kByteCapacity);

  constexpr int kRoom = kRequestTextUnits - 1;
  char16_t converted[kRequestTextUnits];
  int units = 0;
  if (length > 0) {
    // Every ANSI code page makes at most one unit of each byte, so kRoom
    // bytes always fit kRoom units.
    int sourceBytes = length;
    char16_t* const sizeOnly = nullptr;
    if (MultiByteToWideChar(CP_ACP, 0, bytes, length, sizeOnly, 0) > kRoom &&
        sourceBytes > kRoom) {
      sourceBytes = kRoom;
    }
    units =
        MultiByteToWideChar(CP_ACP, 0, bytes, sourceBytes, converted, kRoom);
    if (units < 0 || units > kRoom) units = 0;
  }
  for (int i = 0; i < units; ++i) text[i] = converted[i];
  for (int i = units; i < kRequestTextUnits; ++i) text[i] = 0;
}

// Converts the first units of a number's text to ANSI, as many as fit the
// 19 bytes of the number buffer, and terminates it. Digits are one byte in
// every ANSI code page, so nothing a number can hold is lost by the cut.
void ToAnsiNumber(const char16_t* value, int length,
                  char (&number)[kNumberBytes]) {
  constexpr int kRoom = kNumberBytes - 1;
  int units = length < kRoom ? length : kRoom;
  while (units > 0 && WideCharToMultiByte(CP_ACP, 0, value, units, nullptr, 0,
                                          nullptr, nullptr) > kRoom) {
    --units;
  }
  int bytes = 0;
  if (units > 0) {
    bytes = WideCharToMultiByte(CP_ACP, 0, value, units, number, kRoom, nullptr,
                                nullptr);
    if (bytes < 0 || bytes > kRoom) bytes = 0;
  }
  number[bytes] = 0;
}

bool IsNumberSpace(unsigned char c) { return c == ' ' || (c >= 9 && c <= 13); }

// Decimal reading with optional white space and sign; the arithmetic is
// unsigned, so a value beyond 32 bits wraps around as the format promises.
std::int32_t ReadDecimal(const char* text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (IsNumberSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  std::uint32_t value = decimal::ReadDigits(p, kNumberBytes).low32;
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

struct Value {
  const char16_t* start;
  int length;
};

// The value between a field's tags, or false when either tag is missing. A
// closing tag at or before the value's start gives an empty value.
bool FindValue(const RequestText& text, const FoundTags& found,
               RequestField field, Value& value) {
  const TagPositions& at = found[static_cast<int>(field)];
  if (at.open == kNotFound || at.close == kNotFound) return false;
  const int start = at.open + TagsOf(field).open.length;
  value.start = text + start;
  value.length = at.close > start ? at.close - start : 0;
  return true;
}

void ReadTextField(const RequestText& text, const FoundTags& found,
                   RequestField field, char16_t (&target)[kRequestFieldUnits]) {
  Value value{};
  if (!FindValue(text, found, field, value)) return;
  // Only 8-bit requests can hold longer values: they keep what fits.
  int length = value.length < kRequestFieldUnits - 1 ? value.length
                                                     : kRequestFieldUnits - 1;
  for (int i = 0; i < length; ++i) target[i] = value.start[i];
  target[length] = 0;
}

void ReadNumberField(const RequestText& text, const FoundTags& found,
                     RequestField field, std::int32_t& target) {
  Value value{};
  if (!FindValue(text, found, field, value)) return;
  char number[kNumberBytes];
  ToAnsiNumber(value.start, value.length, number);
  target = ReadDecimal(number);
}

}  // namespace

void ParseRequestText(RequestText& text, MessageRequest& request) {
  // Only "<TITLE>" tells a UTF-16 request from an 8-bit one.
  if (FindTag(text, TagsOf(RequestField::kTitle).open) == kNotFound) {
    ConvertAnsiRequest(text);
  }

  FoundTags found;
  LocateTags(text, found);
  ReadTextField(text, found, RequestField::kTitle, request.title);
  ReadTextField(text, found, RequestField::kBody, request.body);
  ReadNumberField(text, found, RequestField::kStyle, request.style);
  ReadNumberField(text, found, RequestField::kTimeout, request.timeout);
  ReadNumberField(text, found, RequestField::kDefaultId, request.defaultId);
}
