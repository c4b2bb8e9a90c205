#include "request_writer.h"

#include <string_view>

#include "decimal.h"
#include "message_request.h"
#include "unicode.h"

namespace {

using std::u16string_view;

constexpr u16string_view kTitleOpen = u"<TITLE>";
constexpr u16string_view kTitleClose = u"<\\TITLE>";
constexpr u16string_view kBodyOpen = u"<BODY>";
constexpr u16string_view kBodyClose = u"<\\BODY>";
constexpr std::size_t kUnitLimit = kRequestFileBytes / sizeof(char16_t);

std::u16string Decimal(std::int32_t value) {
  char16_t digits[decimal::kMostChars];
  return {digits, static_cast<std::size_t>(decimal::Write(value, digits))};
}

std::u16string NumberField(std::u16string_view name, std::int32_t value) {
  std::u16string field = u"<";
  field.append(name).append(u">").append(Decimal(value));
  field.append(u"<\\").append(name).append(u">");
  return field;
}

std::u16string ComposeText(const AskRequest& request) {
  std::u16string text = NumberField(u"STYLE", request.style);
  text += NumberField(u"TIMEDOUT", request.timeout);
  text += NumberField(u"DEFID", request.defaultId);
  text.append(kTitleOpen).append(request.title).append(kTitleClose);
  text.append(kBodyOpen).append(request.text).append(kBodyClose);
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

bool Holds(u16string_view value, u16string_view tag) {
  return value.find(tag) != u16string_view::npos;
}

std::optional<std::string> TitleTags(u16string_view title) {
  if (Holds(title, kTitleClose)) {
    return "holds \"<\\TITLE>\", which would end it there";
  }
  if (Holds(title, kBodyOpen)) {
    return "holds \"<BODY>\", where the text would be read from";
  }
  if (Holds(title, kBodyClose)) {
    return "holds \"<\\BODY>\", which would be read as the end of the text";
  }
  return std::nullopt;
}

std::optional<std::string> TextTags(u16string_view text) {
  if (Holds(text, kBodyClose)) {
    return "holds \"<\\BODY>\", which would end it there";
  }
  return std::nullopt;
}

// The text is blamed for a request that is too long, unless the title alone
// leaves no room for it; either way the reason says how much would fit.
std::optional<RequestError> Length(const AskRequest& request) {
  const std::size_t units = ComposeText(request).size();
  if (units <= kUnitLimit) return std::nullopt;
  const std::size_t others = units - request.text.size();
  const bool text = others <= kUnitLimit;
  const std::size_t length = text ? request.text.size() : request.title.size();
  const std::size_t fit =
      text ? kUnitLimit - others : kUnitLimit - (others - request.title.size());
  std::string reason = "is " + std::to_string(length) + " UTF-16 units, but ";
  reason += text ? "beside the title and the numbers " : "";
  reason += "at most " + std::to_string(fit) + " fit (a request holds " +
            std::to_string(kRequestFileBytes) + " bytes, tags included)";
  return RequestError{text ? RequestField::kText : RequestField::kTitle,
                      reason};
}

}  // namespace

const char* FieldName(RequestField field) {
  return field == RequestField::kTitle ? "title" : "text";
}

std::string Describe(const RequestError& error) {
  return std::string(FieldName(error.field)) + ": " + error.reason;
}

std::optional<RequestError> CheckRequest(const AskRequest& request) {
  for (auto field : {RequestField::kTitle, RequestField::kText}) {
    const bool title = field == RequestField::kTitle;
    u16string_view value = title ? request.title : request.text;
    std::optional<std::string> reason = BadUnit(value);
    if (!reason) reason = title ? TitleTags(value) : TextTags(value);
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
