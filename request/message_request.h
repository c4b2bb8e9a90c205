// The request record, the tags of its file format, and the reader that fills
// it from a request file's text.
#pragma once

#include <bit>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "request files are UTF-16LE and are read in place as char16_t");

// Units of the request text buffer: 2048 UTF-16 units (4096 bytes), of which
// the run fills at most the first kRequestFileBytes bytes.
inline constexpr int kRequestTextUnits = 2048;
inline constexpr int kRequestFileBytes = 2048;

// Units of a text field, terminator included.
inline constexpr int kRequestFieldUnits = 1024;

using RequestText = char16_t[kRequestTextUnits];

struct MessageRequest {
  char16_t title[kRequestFieldUnits];
  char16_t body[kRequestFieldUnits];
  std::int32_t style;
  std::int32_t timeout;
  std::int32_t defaultId;
};

// The five fields, in the order of MessageRequest's members.
enum class RequestField : int { kTitle, kBody, kStyle, kTimeout, kDefaultId };
inline constexpr int kRequestFields = 5;

struct RequestTag {
  const char16_t* text;
  int length;  // units, without a terminator
};

struct RequestFieldTags {
  RequestTag open;
  RequestTag close;
};

template <int N>
constexpr RequestTag MakeRequestTag(const char16_t (&text)[N]) {
  return RequestTag{text, N - 1};
}

// Each field's opening and closing tag, by RequestField: the one table that
// the reader looks for and the caller's kit writes. Closing tags carry a
// backslash after the "<".
inline constexpr RequestFieldTags kRequestTags[kRequestFields] = {
    {MakeRequestTag(u"<TITLE>"), MakeRequestTag(u"<\\TITLE>")},
    {MakeRequestTag(u"<BODY>"), MakeRequestTag(u"<\\BODY>")},
    {MakeRequestTag(u"<STYLE>"), MakeRequestTag(u"<\\STYLE>")},
    {MakeRequestTag(u"<TIMEDOUT>"), MakeRequestTag(u"<\\TIMEDOUT>")},
    {MakeRequestTag(u"<DEFID>"), MakeRequestTag(u"<\\DEFID>")},
};

constexpr const RequestFieldTags& TagsOf(RequestField field) {
  return kRequestTags[static_cast<int>(field)];
}

// Reads the tagged request held in `text` into `request`. `text` holds the
// bytes read from a request file, zero after them; an 8-bit request is
// rewritten in place as UTF-16. Fields whose two tags are not both found keep
// whatever `request` held before.
void ParseRequestText(RequestText& text, MessageRequest& request);
