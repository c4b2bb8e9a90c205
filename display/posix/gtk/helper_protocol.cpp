#include "helper_protocol.h"

#include "decimal.h"

namespace vorlick {
namespace {

constexpr char kAnswerWord[] = "answer ";
constexpr int kAnswerWordLength = sizeof kAnswerWord - 1;

template <std::size_t N>
bool Terminated(const char (&field)[N]) {
  for (char c : field) {
    if (c == 0) return true;
  }
  return false;
}

bool StartsWith(const char* text, int length, const char* word,
                int wordLength) {
  if (length < wordLength) return false;
  for (int i = 0; i < wordLength; ++i) {
    if (text[i] != word[i]) return false;
  }
  return true;
}

// A decimal int with an optional '-', nothing else; false otherwise.
bool ParseInt(const char* text, int length, int& value) {
  const bool negative = length > 0 && text[0] == '-';
  const int sign = negative ? 1 : 0;
  const auto available = static_cast<std::size_t>(length - sign);
  const decimal::Digits digits = decimal::ReadDigits(text + sign, available);
  const std::uint64_t most = negative ? 0x80000000u : 0x7FFFFFFFu;
  if (digits.count == 0 || digits.count != available || digits.value > most) {
    return false;
  }
  value = static_cast<int>(negative ? 0u - digits.low32 : digits.low32);
  return true;
}

}  // namespace

bool IsValidRequest(const HelperRequest& request) {
  for (int i = 0; i < 8; ++i) {
    if (request.magic[i] != kRequestMagic[i]) return false;
  }
  return request.captionUnits <= kMostUnits &&
         request.textUnits <= kMostUnits && Terminated(request.language) &&
         Terminated(request.program);
}

int FormatAnswer(int answer, char (&line)[24]) {
  int length = 0;
  for (int i = 0; i < kAnswerWordLength; ++i) line[length++] = kAnswerWord[i];
  length += decimal::Write(std::int64_t{answer}, line + length);
  line[length++] = '\n';
  line[length] = 0;
  return length;
}

void ReportReader::Feed(const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (bytes[i] == '\n') {
      if (!overlong_) TakeLine();
      length_ = 0;
      overlong_ = false;
    } else if (length_ + 1 < static_cast<int>(sizeof line_)) {
      line_[length_++] = bytes[i];
    } else {
      overlong_ = true;
    }
  }
}

// Lines the library does not know are passed over: a newer helper may say
// more. Only the first answer counts.
void ReportReader::TakeLine() {
  constexpr int kOpenedLength = sizeof kOpenedReport - 2;  // without '\n'
  if (length_ == kOpenedLength &&
      StartsWith(line_, length_, kOpenedReport, kOpenedLength)) {
    opened_ = true;
    return;
  }
  int value = 0;
  if (!answered_ &&
      StartsWith(line_, length_, kAnswerWord, kAnswerWordLength) &&
      ParseInt(line_ + kAnswerWordLength, length_ - kAnswerWordLength, value)) {
    answered_ = true;
    answer_ = value;
  }
}

}  // namespace vorlick
