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

// 8 (IDCLOSE) is no message box button.
bool IsButtonId(std::int32_t id) {
  return id >= kIdOk && id <= kIdContinue && id != 8;
}

bool ReadButtons(const PlanFields& fields, ButtonRow& row) {
  if (fields.buttonCount < 1 || fields.buttonCount > kMaxButtons) return false;
  row.count = fields.buttonCount;
  for (int i = 0; i < row.count; ++i) {
    if (!IsButtonId(fields.buttons[i])) return false;
    row.ids[i] = fields.buttons[i];
  }
  return true;
}

bool ReadLook(const PlanFields& fields, BoxLook& look) {
  constexpr std::uint32_t kAllFlags =
      kTopmostFlag | kSetForegroundFlag | kRightAlignedFlag | kRightToLeftFlag;
  if (fields.icon > static_cast<std::uint32_t>(Icon::kInformation) ||
      fields.modality > static_cast<std::uint32_t>(Modality::kTask) ||
      (fields.flags & ~kAllFlags) != 0) {
    return false;
  }
  look.icon = static_cast<Icon>(fields.icon);
  look.modality = static_cast<Modality>(fields.modality);
  look.topmost = (fields.flags & kTopmostFlag) != 0;
  look.setForeground = (fields.flags & kSetForegroundFlag) != 0;
  look.rightAligned = (fields.flags & kRightAlignedFlag) != 0;
  look.rightToLeft = (fields.flags & kRightToLeftFlag) != 0;
  return true;
}

}  // namespace

void WritePlan(const BoxPlan& plan, HelperRequest& request) {
  PlanFields& fields = request.plan;
  for (int i = 0; i < kMaxButtons; ++i) {
    fields.buttons[i] = i < plan.buttons.count ? plan.buttons.ids[i] : 0;
  }
  fields.buttonCount = plan.buttons.count;
  fields.defaultIndex = plan.defaultIndex;
  fields.escapeAnswer = plan.escapeAnswer;
  const BoxLook& look = plan.look;
  fields.icon = static_cast<std::uint32_t>(look.icon);
  fields.modality = static_cast<std::uint32_t>(look.modality);
  fields.flags = (look.topmost ? kTopmostFlag : 0) |
                 (look.setForeground ? kSetForegroundFlag : 0) |
                 (look.rightAligned ? kRightAlignedFlag : 0) |
                 (look.rightToLeft ? kRightToLeftFlag : 0);
  CopyName(LanguageTag(plan.language), request.language);
}

bool ReadRequest(const HelperRequest& request, BoxPlan& plan) {
  for (int i = 0; i < 8; ++i) {
    if (request.magic[i] != kRequestMagic[i]) return false;
  }
  if (request.titleUnits > kMostUnits || request.bodyUnits > kMostUnits ||
      !Terminated(request.language) || !Terminated(request.program) ||
      !ReadButtons(request.plan, plan.buttons) ||
      !ReadLook(request.plan, plan.look)) {
    return false;
  }
  const PlanFields& fields = request.plan;
  if (fields.defaultIndex < 0 || fields.defaultIndex >= fields.buttonCount ||
      (fields.escapeAnswer != 0 &&
       IndexOf(plan.buttons, fields.escapeAnswer) < 0)) {
    return false;
  }
  plan.defaultIndex = fields.defaultIndex;
  plan.escapeAnswer = fields.escapeAnswer;
  const Language language = FindLanguage(request.language);
  plan.language = language >= 0 ? language : kEnglish;
  return true;
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
