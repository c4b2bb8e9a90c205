// The request file's format as the reader takes it and the caller's kit
// writes it: its size, its fields' room and the five fields' tags. C++17,
// so that programs that use the kit can include it too.
#pragma once

// Units of the request text buffer: 2048 UTF-16 units (4096 bytes), of which
// the run fills at most the first kRequestFileBytes bytes.
inline constexpr int kRequestTextUnits = 2048;
inline constexpr int kRequestFileBytes = 2048;

// Units of a text field, terminator included.
inline constexpr int kRequestFieldUnits = 1024;

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
