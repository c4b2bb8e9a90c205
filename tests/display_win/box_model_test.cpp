// The box's decisions, checked for every button set, Help or not, every
// MB_DEFBUTTONn value and every interesting defaultId. The expectations use
// the Windows headers' names, so the model's own numbers are checked too.
#include "box_model.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "box_sets.h"

namespace vorlick {
namespace {

// Every ID a caller might name, known or not.
const int kAnyIds[] = {-1, 0, 1, 2,  3,  4,  5,     6,
                       7,  8, 9, 10, 11, 12, 32000, 65535};

std::vector<int> Row(std::uint32_t style) {
  const ButtonRow row = ButtonsOf(style);
  return std::vector<int>(row.ids, row.ids + row.count);
}

std::vector<int> ExpectedRow(std::uint32_t set, bool help) {
  std::vector<int> row = kSetIds[set];
  if (help) row.push_back(IDHELP);
  return row;
}

int Find(const std::vector<int>& row, int id) {
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i] == id) return static_cast<int>(i);
  }
  return -1;
}

TEST(BoxModel, OnlyButtonSetsZeroToSixCanBeShown) {
  const std::uint32_t others[] = {0, MB_ICONERROR, MB_HELP, MB_TOPMOST,
                                  0xFFFFFFF0};
  for (std::uint32_t set = 0; set < 16; ++set) {
    for (std::uint32_t bits : others) {
      SCOPED_TRACE(testing::Message() << "set " << set << " bits " << bits);
      EXPECT_EQ(IsShowable(set | bits), set < 7);
    }
  }
}

TEST(BoxModel, ButtonsOfEverySetWithAndWithoutHelp) {
  for (std::uint32_t set = 0; set < 7; ++set) {
    for (bool help : {false, true}) {
      SCOPED_TRACE(testing::Message() << "set " << set << " help " << help);
      const std::uint32_t style =
          set | (help ? MB_HELP : 0) | MB_ICONQUESTION | MB_DEFBUTTON4;
      EXPECT_EQ(Row(style), ExpectedRow(set, help));
    }
  }
}

TEST(BoxModel, DefaultButtonNamedCases) {
  struct Case {
    const char* name;
    std::uint32_t style;
    int defaultId;
    int index;
  };
  const Case cases[] = {
      {"plain Yes/No", MB_YESNO, 0, 0},
      {"second by style", MB_YESNO | MB_DEFBUTTON2, 0, 1},
      {"defaultId beats style", MB_YESNO | MB_DEFBUTTON2, IDYES, 0},
      {"defaultId alone", MB_YESNOCANCEL, IDCANCEL, 2},
      {"unknown defaultId keeps style", MB_YESNOCANCEL | MB_DEFBUTTON3, IDOK,
       2},
      {"negative defaultId", MB_OKCANCEL | MB_DEFBUTTON2, -1, 1},
      {"third missing, first", MB_OKCANCEL | MB_DEFBUTTON3, 0, 0},
      {"fourth missing, first", MB_ABORTRETRYIGNORE | MB_DEFBUTTON4, 0, 0},
      {"Help counts as a button", MB_OK | MB_HELP | MB_DEFBUTTON2, 0, 1},
      {"fourth is Help", MB_YESNOCANCEL | MB_HELP | MB_DEFBUTTON4, 0, 3},
      {"Help by defaultId", MB_RETRYCANCEL | MB_HELP, IDHELP, 2},
      {"Help named but absent", MB_RETRYCANCEL | MB_DEFBUTTON2, IDHELP, 1},
      {"beyond the fourth", MB_CANCELTRYCONTINUE | 0x500, 0, 0},
      {"timeout is no button", MB_OK, 32000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DefaultIndex(c.style, c.defaultId), c.index);
  }
}

TEST(BoxModel, DefaultButtonForEveryCombination) {
  for (std::uint32_t set = 0; set < 7; ++set) {
    for (bool help : {false, true}) {
      const std::vector<int> row = ExpectedRow(set, help);
      for (std::uint32_t nth = 0; nth < 16; ++nth) {
        for (int id : kAnyIds) {
          const std::uint32_t style = set | (help ? MB_HELP : 0) | (nth << 8);
          SCOPED_TRACE(testing::Message() << "style " << style << " id " << id);
          const int named = Find(row, id);
          const int byStyle = nth < row.size() ? static_cast<int>(nth) : 0;
          EXPECT_EQ(DefaultIndex(style, id), named >= 0 ? named : byStyle);
        }
      }
    }
  }
}

TEST(BoxModel, EscapeAndCloseAsOnWindows) {
  // What IDCANCEL (Escape, the close button) gives for each set: Cancel
  // where there is one, OK on a lone OK box, nothing otherwise.
  for (std::uint32_t set = 0; set < 7; ++set) {
    for (bool help : {false, true}) {
      SCOPED_TRACE(testing::Message() << "set " << set << " help " << help);
      EXPECT_EQ(AnswerTo(set | (help ? MB_HELP : 0), IDCANCEL),
                kSetEscapeResults[set]);
    }
  }
}

TEST(BoxModel, EveryCommandOfEverySet) {
  for (std::uint32_t set = 0; set < 7; ++set) {
    for (bool help : {false, true}) {
      const std::uint32_t style = set | (help ? MB_HELP : 0);
      const std::vector<int> row = ExpectedRow(set, help);
      for (int id : kAnyIds) {
        SCOPED_TRACE(testing::Message() << "style " << style << " id " << id);
        int answer = Find(row, id) >= 0 ? id : 0;
        if (id == IDHELP) answer = 0;
        if (id == IDCANCEL && set == 0) answer = IDOK;
        EXPECT_EQ(AnswerTo(style, id), answer);
      }
    }
  }
}

TEST(BoxModel, LookOfStyleBits) {
  struct Case {
    std::uint32_t style;
    Icon icon;
    Modality modality;
    bool topmost, foreground, right, rtl;
  };
  const Icon none = Icon::kNone;
  const Modality app = Modality::kApplication;
  const Case cases[] = {
      {0, none, app, false, false, false, false},
      {MB_ICONERROR, Icon::kError, app, false, false, false, false},
      {MB_ICONQUESTION, Icon::kQuestion, app, false, false, false, false},
      {MB_ICONWARNING, Icon::kWarning, app, false, false, false, false},
      {MB_ICONINFORMATION, Icon::kInformation, app, false, false, false, false},
      {0x50, none, app, false, false, false, false},
      {0xF0, none, app, false, false, false, false},
      {MB_SYSTEMMODAL, none, Modality::kSystem, true, false, false, false},
      {MB_TASKMODAL, none, Modality::kTask, false, false, false, false},
      {0x3000, none, app, false, false, false, false},
      {MB_TOPMOST, none, app, true, false, false, false},
      {MB_SETFOREGROUND, none, app, false, true, false, false},
      {MB_RIGHT, none, app, false, false, true, false},
      {MB_RTLREADING, none, app, false, false, false, true},
      {MB_YESNO | MB_ICONHAND | MB_RIGHT | MB_RTLREADING | MB_TOPMOST,
       Icon::kError, app, true, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.style);
    const BoxLook look = LookOf(c.style);
    EXPECT_EQ(look.icon, c.icon);
    EXPECT_EQ(look.modality, c.modality);
    EXPECT_EQ(look.topmost, c.topmost);
    EXPECT_EQ(look.setForeground, c.foreground);
    EXPECT_EQ(look.rightAligned, c.right);
    EXPECT_EQ(look.rightToLeft, c.rtl);
  }
}

TEST(BoxModel, LabelsWithTheirMnemonics) {
  struct Case {
    int id;
    std::u16string label;
  };
  const Case cases[] = {
      {IDOK, u"OK"},
      {IDCANCEL, u"Cancel"},
      {IDABORT, u"&Abort"},
      {IDRETRY, u"&Retry"},
      {IDIGNORE, u"&Ignore"},
      {IDYES, u"&Yes"},
      {IDNO, u"&No"},
      {IDHELP, u"Help"},
      {IDTRYAGAIN, u"&Try Again"},
      {IDCONTINUE, u"&Continue"},
      {0, u""},
      {8, u""},
      {32000, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(std::u16string(LabelOf(c.id)), c.label);
  }
}

TEST(BoxModel, IdsAreThoseOfWindows) {
  EXPECT_EQ(kIdOk, IDOK);
  EXPECT_EQ(kIdCancel, IDCANCEL);
  EXPECT_EQ(kIdAbort, IDABORT);
  EXPECT_EQ(kIdRetry, IDRETRY);
  EXPECT_EQ(kIdIgnore, IDIGNORE);
  EXPECT_EQ(kIdYes, IDYES);
  EXPECT_EQ(kIdNo, IDNO);
  EXPECT_EQ(kIdHelp, IDHELP);
  EXPECT_EQ(kIdTryAgain, IDTRYAGAIN);
  EXPECT_EQ(kIdContinue, IDCONTINUE);
  EXPECT_EQ(kIdTimeout, IDTIMEOUT);
}

}  // namespace
}  // namespace vorlick
