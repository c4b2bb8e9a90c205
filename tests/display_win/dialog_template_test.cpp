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

TEST(DialogTemplate, HeaderAndFont) {
  DialogTemplate dialog;
  BeginTemplate(dialog, WS_POPUP, WS_EX_TOPMOST, 2, {9, 400, 0, 1, L"Tahoma"});
  EXPECT_FALSE(dialog.overflow);
  EXPECT_EQ(dialog.used, 26);
  EXPECT_EQ(Words(dialog, 0, 2), (std::vector<WORD>{1, 0xFFFF}));
  EXPECT_EQ(Words(dialog, 2, 4), (std::vector<WORD>{0, 0}));  // helpID
  EXPECT_EQ(Words(dialog, 4, 6), (std::vector<WORD>{WS_EX_TOPMOST, 0}));
  // DS_SETFONT is added: the font follows.
  EXPECT_EQ(Words(dialog, 6, 8), (std::vector<WORD>{DS_SETFONT, 0x8000}));
  EXPECT_EQ(dialog.words[8], 2);                             // items
  EXPECT_EQ(Words(dialog, 9, 16), std::vector<WORD>(7, 0));  // place, menu,
                                                             // class, title
  EXPECT_EQ(Words(dialog, 16, 19), (std::vector<WORD>{9, 400, 0x0100}));
  EXPECT_EQ(Words(dialog, 19, 26), Text(L"Tahoma"));
}

TEST(DialogTemplate, ItemsFollowOnDwordBoundaries) {
  DialogTemplate dialog;
  // "Arial" and its terminator end the header on an odd word.
  BeginTemplate(dialog, 0, 0, 2, {8, 700, 1, 0, L"Arial"});
  EXPECT_EQ(dialog.used, 25);
  EXPECT_EQ(Words(dialog, 16, 19), (std::vector<WORD>{8, 700, 0x0001}));
  AddItem(dialog, {WS_CHILD | BS_DEFPUSHBUTTON, WS_EX_RTLREADING, kButtonClass,
                   IDYES, L"&Yes"});
  EXPECT_EQ(dialog.words[25], 0);                               // padding
  EXPECT_EQ(Words(dialog, 26, 28), (std::vector<WORD>{0, 0}));  // helpID
  EXPECT_EQ(Words(dialog, 28, 30), (std::vector<WORD>{0x2000, 0}));
  EXPECT_EQ(Words(dialog, 30, 32),
            (std::vector<WORD>{BS_DEFPUSHBUTTON, WS_CHILD >> 16}));
  EXPECT_EQ(Words(dialog, 32, 36), std::vector<WORD>(4, 0));
  EXPECT_EQ(Words(dialog, 36, 38), (std::vector<WORD>{IDYES, 0}));
  EXPECT_EQ(Words(dialog, 38, 40), (std::vector<WORD>{0xFFFF, 0x0080}));
  EXPECT_EQ(Words(dialog, 40, 45), Text(L"&Yes"));
  EXPECT_EQ(dialog.words[45], 0);  // no creation data
  EXPECT_EQ(dialog.used, 46);

  AddItem(dialog, {WS_CHILD, 0, kStaticClass, 0xFFFF, nullptr});
  EXPECT_EQ(Words(dialog, 46, 62),
            (std::vector<WORD>{0, 0, 0, 0, 0, WS_CHILD >> 16, 0, 0, 0, 0,
                               0xFFFF, 0, 0xFFFF, 0x0082, 0, 0}));
  EXPECT_EQ(dialog.used, 62);
  EXPECT_FALSE(dialog.overflow);
}

TEST(DialogTemplate, TooMuchIsReportedNotWrittenPastTheEnd) {
  DialogTemplate dialog;
  BeginTemplate(dialog, 0, 0, 1, {8, 400, 0, 0, L"Tahoma"});
  const std::wstring title(kTemplateWords, L'x');
  AddItem(dialog, {WS_CHILD, 0, kStaticClass, 1, title.c_str()});
  EXPECT_TRUE(dialog.overflow);
  EXPECT_EQ(dialog.used, kTemplateWords);
}

}  // namespace
}  // namespace vorlick
