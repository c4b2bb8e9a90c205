// The box's own words in the user's language: the button labels and the
// countdown line, from the translations in po/ (one .po file a language,
// turned into a table at build time), and the language a locale names.
#pragma once

#include <cstdint>

namespace vorlick {

// A shipped language, as an index into the translations; English is 0.
using Language = int;
inline constexpr Language kEnglish = 0;

// Room for the longest label with an access key added to it, and its
// terminator; the build refuses a translation that does not fit.
inline constexpr int kLabelUnits = 32;
// Room for the longest countdown line with a 20-digit number, terminated.
inline constexpr int kCountdownUnits = 64;

// The shipped language a locale name or language tag names, or -1 for none:
// "de", "de_DE.UTF-8", "de-AT", "pt_BR", "zh-Hant", "zh_HK", "nb_NO@euro".
// A region picks a regional translation where one is shipped (pt_BR,
// pt_PT), else the language's own; Chinese goes by script, so Hong Kong
// and Macao read Traditional and Singapore Simplified. Case and '-' or '_'
// do not matter; "C" and "POSIX" name none.
Language FindLanguage(const char* tag);
Language FindLanguage(const char16_t* tag);

// The language gettext would speak for these environment values (null or
// empty for unset), without the locale having to exist: the locale's
// messages category is LC_ALL, else LC_MESSAGES, else LANG; unless it is
// "C" or "POSIX" (or unset), LANGUAGE's colon-separated list comes first,
// its first shipped entry winning. English when nothing matches.
Language PickLanguage(const char* languageList, const char* lcAll,
                      const char* lcMessages, const char* lang);

// How many languages are shipped: they are 0 to LanguageCount() - 1.
int LanguageCount();

// The language's tag as its .po file names it: "de", "pt_BR".
const char* LanguageTag(Language language);

// The button's labels, in three forms: marked as Windows' own message boxes
// mark it, split into what shows and its key, and keyed as the Linux boxes
// show it. GTK's and the terminal's own markup of the keyed label belong to
// their front ends.

// The button's label as Windows' own message boxes show it in `language`,
// '&' before the access key where they have one: "&Ja", "OK", "はい(&Y)".
// Empty for an ID of no button.
const char16_t* MarkedLabel(Language language, int buttonId);

// A label as it shows, its access key found.
struct Label {
  char16_t text[kLabelUnits];  // "&&" of the marked form shows as "&"
  int length;
  int key;  // index in `text` of the access key's character; -1: none
};

// Splits a marked label: "&Ja" shows "Ja" with its key at 0. A label too
// long for the room is cut, never overrun.
Label SplitLabel(const char16_t* marked);

// The label with an access key on every button, as the Linux boxes show it.
// Where Windows marks none, the key is the first letter when that is a
// letter with case ("_OK", "_Abbrechen", "_ОК"), else the English label's
// key follows the word in brackets, as CJK labels write it: "キャンセル(C)".
Label KeyedLabel(Language language, int buttonId);

// Both cases of a letter as one, for matching a typed key to a label's:
// Latin, Greek and Cyrillic letters fold to lower case; anything else stays.
char32_t FoldCase(char32_t code);

// The countdown line for `seconds` in `language` ("Schließt in 5 s");
// returns its length in units.
int FormatCountdown(Language language, std::uint64_t seconds,
                    char16_t (&text)[kCountdownUnits]);

// The widest countdown line a box of `timeout` seconds can show, for a front
// end whose font has `widestDigit` as its widest digit: the line for the
// longest number to come (the time-out's own) with every digit that one
// ("Closes in 88 s" for 30 s where 8 is widest). The line is sized for it
// once, so it never needs to grow. Returns its length in units.
int WidestCountdown(Language language, int timeout, char16_t widestDigit,
                    char16_t (&text)[kCountdownUnits]);

}  // namespace vorlick
