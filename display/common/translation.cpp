#include "translation.h"

#include "decimal.h"

namespace vorlick {
namespace {

// Button IDs 1 to 11 in order; 8 (IDCLOSE) is no message box button.
constexpr int kButtonSlots = 11;

struct Translation {
  const char* tag;
  const char16_t* buttons[kButtonSlots];
  const char16_t* countdown;
};

#include "translations.inc"

char Lower(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

bool IsSeparator(char c) { return c == '-' || c == '_'; }

bool EndsTag(char c) { return c == 0 || c == '.' || c == '@'; }

// A tag's parts, lower case: "zh-Hant-TW" has language "zh", script "hant"
// and region "tw". Parts that do not fit their room are left empty, so an
// overlong tag matches nothing rather than something else.
struct TagParts {
  char language[4] = {};
  char script[5] = {};
  char region[4] = {};
};

// Copies the subtag at `p` into `out` when it has `minimum` to `capacity - 1`
// characters; returns the end of the subtag.
template <int N>
const char* TakeSubtag(const char* p, char (&out)[N], int minimum) {
  int length = 0;
  while (!EndsTag(p[length]) && !IsSeparator(p[length])) ++length;
  if (length >= minimum && length < N) {
    for (int i = 0; i < length; ++i) out[i] = Lower(p[i]);
    out[length] = 0;
  }
  return p + length;
}

TagParts SplitTag(const char* tag) {
  TagParts parts;
  const char* p = TakeSubtag(tag, parts.language, 2);
  while (IsSeparator(*p)) {
    ++p;
    int length = 0;
    while (!EndsTag(p[length]) && !IsSeparator(p[length])) ++length;
    if (length == 4) {
      p = TakeSubtag(p, parts.script, 4);
    } else {
      p = TakeSubtag(p, parts.region, 2);
    }
  }
  return parts;
}

bool Same(const char* a, const char* b) {
  while (*a != 0 && Lower(*a) == Lower(*b)) ++a, ++b;
  return Lower(*a) == Lower(*b);
}

// Whether `tag` ("pt_BR", "de") is `language` with `region` (empty: none).
bool TagIs(const char* tag, const char* language, const char* region) {
  int i = 0;
  for (; language[i] != 0; ++i) {
    if (Lower(tag[i]) != language[i]) return false;
  }
  if (region[0] == 0) return tag[i] == 0;
  return tag[i] == '_' && Same(tag + i + 1, region);
}

Language FindExactly(const char* language, const char* region) {
  for (Language i = 0; i < kTranslationCount; ++i) {
    if (TagIs(kTranslations[i].tag, language, region)) return i;
  }
  return -1;
}

// The first translation of `language` for any region.
Language FindAnyRegion(const char* language) {
  for (Language i = 0; i < kTranslationCount; ++i) {
    const char* tag = kTranslations[i].tag;
    int at = 0;
    while (language[at] != 0 && Lower(tag[at]) == language[at]) ++at;
    if (language[at] == 0 && (tag[at] == 0 || tag[at] == '_')) return i;
  }
  return -1;
}

// Chinese is written in two scripts; the region names one where the tag
// does not.
Language FindChinese(const TagParts& parts) {
  bool traditional = Same(parts.script, "hant");
  if (parts.script[0] == 0) {
    traditional = Same(parts.region, "tw") || Same(parts.region, "hk") ||
                  Same(parts.region, "mo");
  }
  return FindExactly("zh", traditional ? "tw" : "cn");
}

Language FindParts(TagParts parts) {
  if (parts.language[0] == 0) return -1;
  if (Same(parts.language, "zh")) return FindChinese(parts);
  // Norwegian without a written form named reads Bokmål, its common one.
  if (Same(parts.language, "no") || Same(parts.language, "nn")) {
    parts.language[0] = 'n', parts.language[1] = 'b';
  }
  Language found = FindExactly(parts.language, parts.region);
  if (found < 0) found = FindExactly(parts.language, "");
  if (found < 0) found = FindAnyRegion(parts.language);
  return found;
}

bool IsCLocale(const char* name) {
  return Same(name, "C") || Same(name, "POSIX") ||
         (name[0] == 'C' && name[1] == '.');
}

bool IsSet(const char* value) { return value != nullptr && value[0] != 0; }

bool IsCasedLetter(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  if (c >= 0xC0 && c <= 0x24F) return c != 0xD7 && c != 0xF7;
  return (c >= 0x386 && c <= 0x3FF) || (c >= 0x400 && c <= 0x4FF);
}

bool IsEvenUpper(char32_t c) {
  return (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) ||
         (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
         (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x4FF);
}

bool IsOddUpper(char32_t c) {
  return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) ||
         (c >= 0x4C1 && c <= 0x4CE);
}

char32_t FoldGreek(char32_t c) {
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  return c;
}

template <typename Unit>
void Append(const Unit* part, char16_t (&text)[kCountdownUnits], int& at) {
  while (*part != 0 && at < kCountdownUnits - 1) {
    text[at++] = static_cast<char16_t>(*part++);
  }
}

const Translation& TranslationOf(Language language) {
  const bool shipped = language >= 0 && language < kTranslationCount;
  return kTranslations[shipped ? language : kEnglish];
}

// The countdown line with `number` (decimal digits) in its place.
int CountdownWith(Language language, const char* number,
                  char16_t (&text)[kCountdownUnits]) {
  int at = 0;
  for (const char16_t* p = TranslationOf(language).countdown;
       *p != 0 && at < kCountdownUnits - 1; ++p) {
    if (p[0] == u'%' && p[1] == u'u') {
      Append(number, text, at);
      ++p;
    } else {
      text[at++] = *p;
      if (p[0] == u'%' && p[1] == u'%') ++p;
    }
  }
  text[at] = 0;
  return at;
}

}  // namespace

Language FindLanguage(const char* tag) {
  if (!IsSet(tag) || IsCLocale(tag)) return -1;
  return FindParts(SplitTag(tag));
}

Language FindLanguage(const char16_t* tag) {
  // Tags are ASCII; anything else cannot match, so it stops the copy.
  char ascii[64];
  int length = 0;
  if (tag != nullptr) {
    while (tag[length] > 0 && tag[length] < 0x80 && length < 63) {
      ascii[length] = static_cast<char>(tag[length]);
      ++length;
    }
  }
  ascii[length] = 0;
  return FindLanguage(ascii);
}

Language PickLanguage(const char* languageList, const char* lcAll,
                      const char* lcMessages, const char* lang) {
  const char* locale = IsSet(lcAll)        ? lcAll
                       : IsSet(lcMessages) ? lcMessages
                                           : lang;
  if (!IsSet(locale) || IsCLocale(locale)) return kEnglish;
  if (IsSet(languageList)) {
    char entry[64];
    for (const char* p = languageList; *p != 0;) {
      int length = 0;
      while (*p != 0 && *p != ':') {
        if (length < 63) entry[length++] = *p;
        ++p;
      }
      entry[length] = 0;
      if (*p == ':') ++p;
      const Language found = FindLanguage(entry);
      if (found >= 0) return found;
    }
  }
  const Language found = FindLanguage(locale);
  return found >= 0 ? found : kEnglish;
}

int LanguageCount() { return kTranslationCount; }

const char* LanguageTag(Language language) {
  return TranslationOf(language).tag;
}

const char16_t* MarkedLabel(Language language, int buttonId) {
  if (buttonId < 1 || buttonId > kButtonSlots) return u"";
  return TranslationOf(language).buttons[buttonId - 1];
}

Label SplitLabel(const char16_t* marked) {
  Label label{};
  label.key = -1;
  for (const char16_t* p = marked; *p != 0; ++p) {
    if (*p == u'&' && p[1] != 0) {
      ++p;
      if (*p != u'&' && label.key < 0) label.key = label.length;
    }
    if (label.length >= kLabelUnits - 1) break;
    label.text[label.length++] = *p;
  }
  label.text[label.length] = 0;
  if (label.key >= label.length) label.key = -1;
  return label;
}

Label KeyedLabel(Language language, int buttonId) {
  Label label = SplitLabel(MarkedLabel(language, buttonId));
  if (label.key >= 0 || label.length == 0) return label;
  if (IsCasedLetter(label.text[0])) {
    label.key = 0;
    return label;
  }
  const Label english = SplitLabel(MarkedLabel(kEnglish, buttonId));
  if (label.length + 3 >= kLabelUnits) return label;
  label.text[label.length++] = u'(';
  label.key = label.length;
  label.text[label.length++] = english.text[english.key >= 0 ? english.key : 0];
  label.text[label.length++] = u')';
  label.text[label.length] = 0;
  return label;
}

char32_t FoldCase(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x130) return 'i';
  if (c == 0x178) return 0xFF;
  if (IsEvenUpper(c)) return (c & 1) == 0 ? c + 1 : c;
  if (IsOddUpper(c)) return (c & 1) == 1 ? c + 1 : c;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return FoldGreek(c);
}

int FormatCountdown(Language language, std::uint64_t seconds,
                    char16_t (&text)[kCountdownUnits]) {
  char number[decimal::kMostChars + 1];
  number[decimal::Write(seconds, false, number)] = 0;
  return CountdownWith(language, number, text);
}

int WidestCountdown(Language language, int timeout, char16_t widestDigit,
                    char16_t (&text)[kCountdownUnits]) {
  const char digit = widestDigit >= u'0' && widestDigit <= u'9'
                         ? static_cast<char>(widestDigit)
                         : '0';
  char number[decimal::kMostChars + 1];
  int length = 0;
  int rest = timeout > 0 ? timeout : 0;
  do {
    number[length++] = digit;
    rest /= 10;
  } while (rest > 0);
  number[length] = 0;
  return CountdownWith(language, number, text);
}

}  // namespace vorlick
