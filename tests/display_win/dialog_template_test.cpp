// The in-memory dialog template, word by word, as DLGTEMPLATEEX lays it out.
#include "dialog_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

std::vector<WORD> Words(const DialogTemplate& dialog, int from, int to) {
  return std::vector<WORD>(dialog.words + from, dialog.words + to);
}

std::vector<WORD> Text(const wchar_t* text) {
  std::vector<WORD> words(text, text + wcslen(text));
  words.push_back(0);
  return words;
}

TEST(DialogTemplate, Header) {
  DialogTemplate dialog;
  BeginTemplate(dialog, WS_POPUP | DS_MODALFRAME, WS_EX_TOPMOST, 2);
  EXPECT_FALSE(dialog.overflow);
  EXPECT_EQ(dialog.used, 16);
  EXPECT_EQ(Words(dialog, 0, 2), (std::vector<WORD>{1, 0xFFFF}));
  EXPECT_EQ(Words(dialog, 2, 4), (std::vector<WORD>{0, 0}));  // helpID
  EXPECT_EQ(Words(dialog, 4, 6), (std::vector<WORD>{WS_EX_TOPMOST, 0}));
  // No DS_SETFONT: the box sets its controls' font itself.
  EXPECT_EQ(Words(dialog, 6, 8), (std::vector<WORD>{DS_MODALFRAME, 0x8000}));
  EXPECT_EQ(dialog.words[8], 2);                             // items
  EXPECT_EQ(Words(dialog, 9, 16), std::vector<WORD>(7, 0));  // place, menu,
                                                             // class, title
}

TEST(DialogTemplate, ItemsFollowOnDwordBoundaries) {
  DialogTemplate dialog;
  BeginTemplate(dialog, 0, 0, 2);
  AddItem(dialog, {WS_CHILD | BS_DEFPUSHBUTTON, WS_EX_RTLREADING, kButtonClass,
                   IDNO, L"&No"});
  EXPECT_EQ(Words(dialog, 16, 18), (std::vector<WORD>{0, 0}));  // helpID
  EXPECT_EQ(Words(dialog, 18, 20), (std::vector<WORD>{0x2000, 0}));
  EXPECT_EQ(Words(dialog, 20, 22),
            (std::vector<WORD>{BS_DEFPUSHBUTTON, WS_CHILD >> 16}));
  EXPECT_EQ(Words(dialog, 22, 26), std::vector<WORD>(4, 0));
  EXPECT_EQ(Words(dialog, 26, 28), (std::vector<WORD>{IDNO, 0}));
  EXPECT_EQ(Words(dialog, 28, 30), (std::vector<WORD>{0xFFFF, 0x0080}));
  EXPECT_EQ(Words(dialog, 30, 34), Text(L"&No"));
  EXPECT_EQ(dialog.words[34], 0);  // no creation data
  EXPECT_EQ(dialog.used, 35);

  // The item ended on an odd word: one word of padding first.
  AddItem(dialog, {WS_CHILD, 0, kStaticClass, 0xFFFF, nullptr});
  EXPECT_EQ(Words(dialog, 35, 52),
            (std::vector<WORD>{0, 0, 0, 0, 0, 0, WS_CHILD >> 16, 0, 0, 0, 0,
                               0xFFFF, 0, 0xFFFF, 0x0082, 0, 0}));
  EXPECT_EQ(dialog.used, 52);
  EXPECT_FALSE(dialog.overflow);
}

TEST(DialogTemplate, TooMuchIsReportedNotWrittenPastTheEnd) {
  DialogTemplate dialog;
  BeginTemplate(dialog, 0, 0, 1);
  const std::wstring title(kTemplateWords, L'x');
  AddItem(dialog, {WS_CHILD, 0, kStaticClass, 1, title.c_str()});
  EXPECT_TRUE(dialog.overflow);
  EXPECT_EQ(dialog.used, kTemplateWords);
}

}  // namespace
}  // namespace vorlick
