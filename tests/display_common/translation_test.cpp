// The box's words in the user's language: which language a locale names,
// gettext's choice among the environment's values, the labels and their
// access keys, and the countdown line.
#include "translation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "box_plan.h"

namespace vorlick {
namespace {

std::string TagOf(Language language) {
  return language < 0 ? "-" : LanguageTag(language);
}

TEST(Translation, LanguageOfLocaleNamesAndTags) {
  struct Case {
    const char* tag;
    const char* expected;  // "-": none shipped
  };
  const Case cases[] = {
      {"de", "de"},
      {"de_DE.UTF-8", "de"},
      {"de-AT", "de"},
      {"DE_ch", "de"},
      {"fr_FR@euro", "fr"},
      {"pt_BR", "pt_BR"},
      {"pt-PT", "pt_PT"},
      {"pt", "pt_BR"},
      {"pt_AO", "pt_BR"},
      {"zh_CN.GB18030", "zh_CN"},
      {"zh-SG", "zh_CN"},
      {"zh", "zh_CN"},
      {"zh_TW", "zh_TW"},
      {"zh-HK", "zh_TW"},
      {"zh_MO", "zh_TW"},
      {"zh-Hant", "zh_TW"},
      {"zh-Hans-HK", "zh_CN"},
      {"zh-Hant-CN", "zh_TW"},
      {"nb_NO", "nb"},
      {"no", "nb"},
      {"nn_NO", "nb"},
      {"en_GB", "en"},
      {"es-419", "es"},
      {"ja_JP.eucJP", "ja"},
      {"C", "-"},
      {"POSIX", "-"},
      {"C.UTF-8", "-"},
      {"xx_YY", "-"},
      {"", "-"},
      {nullptr, "-"},
      {"d", "-"},
      {"deutsch", "-"},
      {"-de", "-"},
      {"de_", "de"},
      {"zh-", "zh_CN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag == nullptr ? "null" : c.tag);
    // In a block of its own length, so that a read past the tag's end
    // leaves the block, where memcheck and the sanitizers see it.
    std::unique_ptr<char[]> tag;
    if (c.tag != nullptr) {
      const std::size_t size = std::strlen(c.tag) + 1;
      tag = std::make_unique<char[]>(size);
      std::memcpy(tag.get(), c.tag, size);
    }
    EXPECT_EQ(TagOf(FindLanguage(tag.get())), c.expected);
  }
  EXPECT_EQ(TagOf(FindLanguage(u"ko-KR")), "ko");
  EXPECT_EQ(TagOf(FindLanguage(u"d\u00E9")), "-");
}

TEST(Translation, PicksAsGettextDoes) {
  struct Case {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, "de_DE.UTF-8", "de"},
      {nullptr, nullptr, "fr_FR", "de_DE", "fr"},
      {nullptr, "it_IT", "fr_FR", "de_DE", "it"},
      {"sv:de", nullptr, nullptr, "de_DE", "sv"},
      {"xx:ja:de", nullptr, nullptr, "de_DE", "ja"},  // first one shipped
      {"xx", nullptr, nullptr, "de_DE", "de"},
      {"en:de", nullptr, nullptr, "de_DE", "en"},
      {"de", "C", nullptr, "fr_FR", "en"},  // a C locale ignores LANGUAGE
      {"de", nullptr, nullptr, nullptr, "en"},
      {"de", "", "", "", "en"},
      {"", "", "", "pl_PL", "pl"},
      {nullptr, nullptr, nullptr, "xx_XX", "en"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(TagOf(PickLanguage(c.language, c.lcAll, c.lcMessages, c.lang)),
              c.expected);
  }
}

std::vector<std::u16string> Labels(std::uint32_t style, Language language) {
  const ButtonRow row = PlanBox(style, 0).buttons;
  std::vector<std::u16string> labels;
  for (int i = 0; i < row.count; ++i) {
    labels.push_back(MarkedLabel(language, row.ids[i]));
  }
  return labels;
}

TEST(Translation, EnglishLabelsOfEverySet) {
  const std::vector<std::vector<std::u16string>> sets = {
      {u"OK"},
      {u"OK", u"Cancel"},
      {u"&Abort", u"&Retry", u"&Ignore"},
      {u"&Yes", u"&No", u"Cancel"},
      {u"&Yes", u"&No"},
      {u"&Retry", u"Cancel"},
      {u"Cancel", u"&Try Again", u"&Continue"},
  };
  for (std::uint32_t set = 0; set < sets.size(); ++set) {
    SCOPED_TRACE(set);
    std::vector<std::u16string> withHelp = sets[set];
    withHelp.push_back(u"Help");
    EXPECT_EQ(Labels(set, kEnglish), sets[set]);
    EXPECT_EQ(Labels(set | kMbHelp, kEnglish), withHelp);
  }
  for (int id : {0, 8, 12, -1, kIdTimeout}) {
    EXPECT_EQ(std::u16string(MarkedLabel(kEnglish, id)), u"") << id;
  }
  // A language that is not shipped speaks English.
  EXPECT_EQ(std::u16string(MarkedLabel(-1, kIdYes)), u"&Yes");
}

TEST(Translation, LabelsAndKeys) {
  struct Case {
    const char* language;
    int id;
    std::u16string marked;  // as Windows' boxes show it
    std::u16string keyed;   // with a key on every button
    int key;
  };
  const Case cases[] = {
      {"en", kIdOk, u"OK", u"OK", 0},
      {"en", kIdTryAgain, u"&Try Again", u"Try Again", 0},
      {"de", kIdAbort, u"Abbr&uch", u"Abbruch", 4},
      {"de", kIdHelp, u"&Hilfe", u"Hilfe", 0},
      {"ru", kIdOk, u"\u041E\u041A", u"\u041E\u041A", 0},
      {"tr", kIdCancel, u"\u0130ptal", u"\u0130ptal", 0},
      {"ja", kIdYes, u"\u306F\u3044(&Y)", u"\u306F\u3044(Y)", 3},
      {"ja", kIdCancel, u"\u30AD\u30E3\u30F3\u30BB\u30EB",
       u"\u30AD\u30E3\u30F3\u30BB\u30EB(C)", 6},
      {"ko", kIdOk, u"\uD655\uC778", u"\uD655\uC778(O)", 3},
      {"zh_CN", kIdHelp, u"\u5E2E\u52A9", u"\u5E2E\u52A9(H)", 3},
      {"en", 8, u"", u"", -1},  // IDCLOSE: no button, no label
      {"de", 0, u"", u"", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.language << " " << c.id);
    const Language language = FindLanguage(c.language);
    EXPECT_EQ(std::u16string(MarkedLabel(language, c.id)), c.marked);
    const Label label = KeyedLabel(language, c.id);
    EXPECT_EQ(std::u16string(label.text), c.keyed);
    EXPECT_EQ(label.length, static_cast<int>(c.keyed.size()));
    EXPECT_EQ(label.key, c.key);
  }
}

TEST(Translation, SplitLabel) {
  struct Case {
    std::u16string marked;
    std::u16string shown;
    int key;
  };
  const Case cases[] = {
      {u"&Ja", u"Ja", 0},
      {u"OK", u"OK", -1},
      {u"A&&B", u"A&B", -1},
      {u"A&&&B", u"A&B", 2},
      {u"&A&B", u"AB", 0},
      {u"Fish&", u"Fish&", -1},
      {u"", u"", -1},
      {u"abcdefghijklmnopqrstuvwxyz0123456789",
       u"abcdefghijklmnopqrstuvwxyz01234", -1},
  };
  for (const Case& c : cases) {
    const Label label = SplitLabel(c.marked.c_str());
    EXPECT_EQ(std::u16string(label.text), c.shown);
    EXPECT_EQ(label.length, static_cast<int>(c.shown.size()));
    EXPECT_EQ(label.key, c.key);
  }
}

TEST(Translation, FoldCase) {
  struct Case {
    char32_t code;
    char32_t folded;
  };
  // The rows from {0xBF, 0xBF} on: where each run of letters begins and
  // ends and the letters just outside, as Unicode's data folds them.
  const Case cases[] = {
      {U'A', U'a'},   {U'z', U'z'},   {U'1', U'1'},   {0xC4, 0xE4},
      {0xD7, 0xD7},   {0xDE, 0xFE},   {0x130, U'i'},  {0x131, 0x131},
      {0x141, 0x142}, {0x142, 0x142}, {0x15A, 0x15B}, {0x178, 0xFF},
      {0x17D, 0x17E}, {0x391, 0x3B1}, {0x3A3, 0x3C3}, {0x410, 0x430},
      {0x42F, 0x44F}, {0x404, 0x454}, {0x490, 0x491}, {0x3042, 0x3042},
      {0xBF, 0xBF},   {0xC0, 0xE0},   {0xDF, 0xDF},   {0x12E, 0x12F},
      {0x132, 0x133}, {0x136, 0x137}, {0x138, 0x138}, {0x139, 0x13A},
      {0x147, 0x148}, {0x149, 0x149}, {0x14A, 0x14B}, {0x176, 0x177},
      {0x179, 0x17A}, {0x385, 0x385}, {0x386, 0x3AC}, {0x387, 0x387},
      {0x388, 0x3AD}, {0x38A, 0x3AF}, {0x38B, 0x38B}, {0x38C, 0x3CC},
      {0x38D, 0x38D}, {0x38E, 0x3CD}, {0x38F, 0x3CE}, {0x390, 0x390},
      {0x3A9, 0x3C9}, {0x3AA, 0x3CA}, {0x3AB, 0x3CB}, {0x3AC, 0x3AC},
      {0x400, 0x450}, {0x40F, 0x45F}, {0x430, 0x430}, {0x460, 0x461},
      {0x481, 0x481}, {0x48A, 0x48B}, {0x4C1, 0x4C2}, {0x4CD, 0x4CE},
      {0x4D0, 0x4D1}, {0x4FE, 0x4FF}};
  for (const Case& c : cases) {
    EXPECT_EQ(FoldCase(c.code), c.folded) << std::hex << +c.code;
  }
}

TEST(Translation, CountdownLine) {
  struct Case {
    const char* language;
    std::uint64_t seconds;
    std::u16string line;
  };
  const Case cases[] = {
      {"en", 0, u"Closes in 0 s"},
      {"en", 86400, u"Closes in 86400 s"},
      {"en", UINT64_MAX, u"Closes in 18446744073709551615 s"},
      {"de", 5, u"Schlie\u00DFt in 5 s"},
      {"ja", 12, u"12 \u79D2\u5F8C\u306B\u9589\u3058\u307E\u3059"},
  };
  for (const Case& c : cases) {
    char16_t text[kCountdownUnits];
    const int length =
        FormatCountdown(FindLanguage(c.language), c.seconds, text);
    EXPECT_EQ(std::u16string(text), c.line);
    EXPECT_EQ(length, static_cast<int>(c.line.size()));
  }
}

// The line a countdown is sized for: the time-out's number of digits, each
// the font's widest.
TEST(Translation, WidestCountdownLine) {
  struct Case {
    const char* language;
    int timeout;
    char16_t digit;
    std::u16string line;
  };
  const Case cases[] = {
      {"en", 30, u'8', u"Closes in 88 s"},
      {"en", 9, u'0', u"Closes in 0 s"},
      {"en", 10, u'0', u"Closes in 00 s"},
      {"en", 100, u'4', u"Closes in 444 s"},
      {"en", 2147483647, u'9', u"Closes in 9999999999 s"},
      {"en", -3, u'5', u"Closes in 5 s"},
      {"en", 12, u'x', u"Closes in 00 s"},  // not a digit: '0'
      {"de", 5, u'7', u"Schlie\u00DFt in 7 s"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.timeout);
    char16_t text[kCountdownUnits];
    const int length =
        WidestCountdown(FindLanguage(c.language), c.timeout, c.digit, text);
    EXPECT_EQ(std::u16string(text), c.line);
    EXPECT_EQ(length, static_cast<int>(c.line.size()));
  }
}

// Every shipped language has room for the longest number, and its words.
TEST(Translation, EveryLanguageFitsTheLongestLine) {
  EXPECT_GE(LanguageCount(), 14);  // English and at least 13 others
  for (Language language = 0; language < LanguageCount(); ++language) {
    SCOPED_TRACE(LanguageTag(language));
    char16_t text[kCountdownUnits];
    const int length = FormatCountdown(language, UINT64_MAX, text);
    EXPECT_LT(length, kCountdownUnits - 1);
    EXPECT_NE(std::u16string(text).find(u"18446744073709551615"),
              std::u16string::npos);
    EXPECT_EQ(FindLanguage(LanguageTag(language)), language);
  }
}

}  // namespace
}  // namespace vorlick
