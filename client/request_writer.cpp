#include "request_writer.h"

#include <string_view>

#include "decimal.h"
#include "request_format.h"
#include "unicode.h"

namespace {

using std::u16string_view;

constexpr u16string_view View(RequestTag tag) {
  return {tag.text, static_cast<std::size_t>(tag.length)};
}

constexpr u16string_view Open(RequestField field) {
  return View(TagsOf(field).open);
}

constexpr u16string_view Close(RequestField field) {
  return View(TagsOf(field).close);
}

constexpr std::size_t kUnitLimit = kRequestFileBytes / sizeof(char16_t);

std::u16string Decimal(std::int32_t value) {
  char16_t digits[decimal::kMostChars];
  return {digits, static_cast<std::size_t>(decimal::Write(value, digits))};
}

void AppendField(std::u16string& text, RequestField field,
                 u16string_view value) {
  text.append(Open(field)).append(value).append(Close(field));
}

std::u16string ComposeText(const AskRequest& request) {
  std::u16string text;
  AppendField(text, RequestField::kStyle, Decimal(request.style));
  AppendField(text, RequestField::kTimeout, Decimal(request.timeout));
  AppendField(text, RequestField::kDefaultId, Decimal(request.defaultId));
  AppendField(text, RequestField::kTitle, request.title);
  AppendField(text, RequestField::kBody, request.body);
  return text;
}

std::string Hex(char16_t unit) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex = "U+";
  for (int shift = 12; shift >= 0; shift -= 4)
    hex += kDigits[(unit >> shift) & 0xF];
  return hex;
}

// A zero unit or an unpaired surrogate, the units counted from 1.
std::optional<std::string> BadUnit(u16string_view value) {
  for (std::size_t i = 0; i < value.size(); ++i) {
    const std::string where = "unit " + std::to_string(i + 1);
    if (value[i] == 0) {
      return "holds a zero unit (" + where + "), at which the reader stops";
    }
    char32_t code = 0;
    if (unicode::ReadUtf16(value.data() + i, value.size() - i, code) == 2) {
      ++i;
    } else if (unicode::IsSurrogate(code)) {
      return "holds an unpaired surrogate " + Hex(value[i]) + " (" + where +
             "), which is not text";
    }
  }
  return std::nullopt;
}

// A reason when `value` holds `tag`: "holds "<\BODY>", " and `consequence`.
std::optional<std::string> Holds(u16string_view value, u16string_view tag,
                                 const char* consequence) {
  if (value.find(tag) == u16string_view::npos) return std::nullopt;
  std::string quoted;
  for (char16_t unit : tag) quoted += static_cast<char>(unit);  // ASCII
  return "holds \"" + quoted + "\", " + consequence;
}

std::optional<std::string> TitleTags(u16string_view title) {
  std::optional<std::string> reason =
      Holds(title, Close(RequestField::kTitle), "which would end it there");
  if (!reason) {
    reason = Holds(title, Open(RequestField::kBody),
                   "where the body would be read from");
  }
  if (!reason) {
    reason = Holds(title, Close(RequestField::kBody),
                   "which would be read as the end of the body");
  }
  return reason;
}

std::optional<std::string> BodyTags(u16string_view body) {
  return Holds(body, Close(RequestField::kBody), "which would end it there");
}

// The body is blamed for a request that is too long, unless the title alone
// leaves no room for it; either way the reason says how much would fit.
std::optional<RequestError> Length(const AskRequest& request) {
  const std::size_t units = ComposeText(request).size();
  if (units <= kUnitLimit) return std::nullopt;
  const std::size_t others = units - request.body.size();
  const bool body = others <= kUnitLimit;
  const std::size_t length = body ? request.body.size() : request.title.size();
  const std::size_t fit =
      body ? kUnitLimit - others : kUnitLimit - (others - request.title.size());
  std::string reason = "is " + std::to_string(length) + " UTF-16 units, but ";
  reason += body ? "beside the title and the numbers " : "";
  reason += "at most " + std::to_string(fit) + " fit (a request holds " +
            std::to_string(kRequestFileBytes) + " bytes, tags included)";
  return RequestError{body ? RequestField::kBody : RequestField::kTitle,
                      reason};
}

}  // namespace

const char* FieldName(RequestField field) {
  return field == RequestField::kTitle ? "title" : "body";
}

std::string Describe(const RequestError& error) {
  return std::string(FieldName(error.field)) + ": " + error.reason;
}

std::optional<RequestError> CheckRequest(const AskRequest& request) {
  for (auto field : {RequestField::kTitle, RequestField::kBody}) {
    const bool title = field == RequestField::kTitle;
    u16string_view value = title ? request.title : request.body;
    std::optional<std::string> reason = BadUnit(value);
    if (!reason) reason = title ? TitleTags(value) : BodyTags(value);
    if (reason) return RequestError{field, *reason};
  }
  return Length(request);
}

std::string FormatRequest(const AskRequest& request) {
  const std::u16string text = ComposeText(request);
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::optional<RequestError> WriteRequest(const AskRequest& request,
                                         std::string& bytes) {
  std::optional<RequestError> error = CheckRequest(request);
  if (!error) bytes = FormatRequest(request);
  return error;
}
