// The keys of the GTK and the terminal box: plain letters, and the access
// keys GTK is given. The box's buttons, default, answers and focus moves are
// tested with the shared plan in display_common.
#include "box_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

TEST(BoxKeysTest, MnemonicLabelsMarkAKeyOnEveryButton) {
  struct Case {
    const char* language;
    int id;
    std::string mnemonic;
    std::string shown;
  };
  const Case cases[] = {
      {"en", kIdOk, "_OK", "OK"},
      {"en", kIdTryAgain, "_Try Again", "Try Again"},
      {"de", kIdAbort, "Abbr_uch", "Abbruch"},
      {"de", kIdCancel, "_Abbrechen", "Abbrechen"},
      {"ru", kIdNo, "_\xD0\x9D\xD0\xB5\xD1\x82", "\xD0\x9D\xD0\xB5\xD1\x82"},
      {"ja", kIdCancel,
       "\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB(_C)",
       "\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB(C)"},
      {"en", 8, "", ""},
      {"en", kIdTimeout, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.language << " " << c.id);
    EXPECT_EQ(MnemonicLabel(FindLanguage(c.language), c.id), c.mnemonic);
    EXPECT_EQ(ShownLabel(FindLanguage(c.language), c.id), c.shown);
  }
}

struct LetterCase {
  unsigned style;
  char32_t letter;
  int focus;
  int index;
  bool unique;
};

TEST(BoxKeysTest, LettersChooseOrMoveBetweenSharedLetters) {
  const LetterCase cases[] = {
      {0x4, 'y', 1, 0, true},   {0x4, 'N', 0, 1, true},  // either case
      {0x4, 'c', 0, -1, false}, {0x0, 'o', 0, 0, true},
      {0x2, 'i', 0, 2, true},   {0x6, 't', 0, 1, true},
      {0x6, 'c', 0, 2, false},  // Cancel and Continue: on to Continue
      {0x6, 'c', 2, 0, false},  // and back to Cancel
      {0x6, 'C', 1, 2, false},  {0x1 | 0x4000, 'h', 0, 2, true},
      {0x3, '1', 0, -1, false},
  };
  for (const LetterCase& c : cases) {
    const LetterMatch match =
        MatchLetter(PlanBox(c.style, 0), c.letter, c.focus);
    EXPECT_EQ(match.index, c.index) << std::hex << c.style << " " << +c.letter;
    EXPECT_EQ(match.unique, c.unique)
        << std::hex << c.style << " " << +c.letter;
  }
}

TEST(BoxKeysTest, LettersFollowTheLanguage) {
  BoxPlan plan = PlanBox(0x4, 0);  // Yes, No
  plan.language = FindLanguage("ru");
  EXPECT_EQ(MatchLetter(plan, 0x434, 1).index, 0);  // д for Да
  EXPECT_EQ(MatchLetter(plan, 0x41D, 0).index, 1);  // Н for Нет
  EXPECT_EQ(MatchLetter(plan, U'y', 1).index, -1);
  plan.language = FindLanguage("de");
  EXPECT_EQ(MatchLetter(plan, U'J', 1).index, 0);
}

}  // namespace
}  // namespace vorlick
