// The labels as Vorlick.dll's buttons show them: '&' before the access key
// where Windows' own message boxes mark one.
#include "button_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace vorlick {
namespace {

TEST(ButtonText, LabelsWithTheirMnemonics) {
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
    ButtonText label;
    const int length = Win32Label(c.id, label);
    EXPECT_EQ(std::u16string(label), c.label);
    EXPECT_EQ(length, static_cast<int>(c.label.size()));
  }
}

}  // namespace
}  // namespace vorlick
