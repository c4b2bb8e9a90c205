// Fuzzes the request reader with request files as the run hands them over:
// at most 2048 bytes at the start of the text buffer, zero after them. Every
// input is read three times and checked against a plain reference reading.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "message_request.h"
#include "reference_reader.h"

namespace {

constexpr std::int32_t kSentinelNumber = 0x5A5A5A5A;

MessageRequest SentinelRequest() {
  MessageRequest request;
  for (char16_t& unit : request.title) unit = u'S';
  for (char16_t& unit : request.body) unit = u'S';
  request.title[kRequestFieldUnits - 1] = 0;
  request.body[kRequestFieldUnits - 1] = 0;
  request.style = request.timeout = request.defaultId = kSentinelNumber;
  return request;
}

void Load(RequestText& text, const std::uint8_t* data, std::size_t size) {
  std::memset(text, 0, sizeof text);
  std::memcpy(text, data, size < kRequestFileBytes ? size : kRequestFileBytes);
}

bool TerminatedField(const char16_t (&field)[kRequestFieldUnits]) {
  for (char16_t unit : field) {
    if (unit == 0) return true;
  }
  return false;
}

std::u16string TextOf(const RequestText& text) {
  std::u16string result;
  for (char16_t unit : text) {
    if (unit == 0) break;
    result += unit;
  }
  return result;
}

void CheckTextField(const std::u16string& text, const char16_t* open,
                    const char16_t* close, const char16_t* field,
                    const char16_t* prior) {
  auto value = reference::FieldValue(text, open, close);
  const std::u16string expected =
      value ? reference::TextField(*value) : std::u16string(prior);
  FUZZ_CHECK(std::u16string(field) == expected);
}

void CheckNumberField(const std::u16string& text, const char16_t* open,
                      const char16_t* close, std::int32_t field,
                      std::int32_t prior) {
  auto value = reference::FieldValue(text, open, close);
  FUZZ_CHECK(field == (value ? reference::NumberField(*value) : prior));
}

void CheckAgainstReference(const std::u16string& text,
                           const MessageRequest& request,
                           const MessageRequest& prior) {
  FUZZ_CHECK(TerminatedField(request.title));
  FUZZ_CHECK(TerminatedField(request.body));
  CheckTextField(text, u"<TITLE>", u"<\\TITLE>", request.title, prior.title);
  CheckTextField(text, u"<BODY>", u"<\\BODY>", request.body, prior.body);
  CheckNumberField(text, u"<STYLE>", u"<\\STYLE>", request.style, prior.style);
  CheckNumberField(text, u"<TIMEDOUT>", u"<\\TIMEDOUT>", request.timeout,
                   prior.timeout);
  CheckNumberField(text, u"<DEFID>", u"<\\DEFID>", request.defaultId,
                   prior.defaultId);
}

// The buffer after reading: a UTF-16 request is left as it was; an 8-bit one
// is replaced by its conversion, zero after it to the buffer's end.
void CheckFinalBuffer(const RequestText& original, const RequestText& after,
                      bool isUtf16, const std::u16string& expectedText) {
  if (isUtf16) {
    FUZZ_CHECK(std::memcmp(original, after, sizeof(RequestText)) == 0);
    return;
  }
  FUZZ_CHECK(TextOf(after) == expectedText);
  for (std::size_t i = expectedText.size(); i < kRequestTextUnits; ++i) {
    FUZZ_CHECK(after[i] == 0);
  }
}

RequestText original, first, second, third;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  Load(original, data, size);
  std::memcpy(first, original, sizeof original);
  std::memcpy(second, original, sizeof original);
  std::memcpy(third, original, sizeof original);

  const MessageRequest prior = SentinelRequest();
  MessageRequest request = prior;
  ParseRequestText(first, request);

  bool isUtf16 = false;
  const std::u16string text = reference::FinalText(original, isUtf16);
  CheckFinalBuffer(original, first, isUtf16, text);
  CheckAgainstReference(text, request, prior);

  // The same input gives the same record and the same text.
  MessageRequest again = prior;
  ParseRequestText(second, again);
  FUZZ_CHECK(std::memcmp(&request, &again, sizeof request) == 0);
  FUZZ_CHECK(std::memcmp(first, second, sizeof first) == 0);

  // From the run's zeroed record, absent fields stay empty and 0.
  MessageRequest zeroed{};
  ParseRequestText(third, zeroed);
  CheckAgainstReference(text, zeroed, MessageRequest{});
  return 0;
}
