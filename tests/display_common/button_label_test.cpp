// The labels' one table, the labels of each button set, and the marking
// each front-end derives its access keys from.
#include "button_label.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "box_style.h"

namespace vorlick {
namespace {

TEST(ButtonLabel, EveryIdsLabelAndAccessKey) {
  struct Case {
    int id;
    std::string text;
    int accessKey;
    bool markedOnWindows;
  };
  const Case cases[] = {
      {1, "OK", 0, false},        {2, "Cancel", 0, false},
      {3, "Abort", 0, true},      {4, "Retry", 0, true},
      {5, "Ignore", 0, true},     {6, "Yes", 0, true},
      {7, "No", 0, true},         {9, "Help", 0, false},
      {10, "Try Again", 0, true}, {11, "Continue", 0, true},
      {0, "", -1, false},         {8, "", -1, false},
      {12, "", -1, false},        {-1, "", -1, false},
      {32000, "", -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const ButtonLabel label = LabelOf(c.id);
    EXPECT_EQ(std::string(label.text), c.text);
    EXPECT_EQ(label.accessKey, c.accessKey);
    EXPECT_EQ(label.markedOnWindows, c.markedOnWindows);
  }
}

std::vector<std::string> Labels(std::uint32_t style) {
  const ButtonRow row = ButtonsOf(style);
  std::vector<std::string> labels;
  for (int i = 0; i < row.count; ++i)
    labels.push_back(LabelOf(row.ids[i]).text);
  return labels;
}

TEST(ButtonLabel, LabelsOfEverySetWithAndWithoutHelp) {
  const std::vector<std::vector<std::string>> sets = {
      {"OK"},
      {"OK", "Cancel"},
      {"Abort", "Retry", "Ignore"},
      {"Yes", "No", "Cancel"},
      {"Yes", "No"},
      {"Retry", "Cancel"},
      {"Cancel", "Try Again", "Continue"},
  };
  for (std::uint32_t set = 0; set < sets.size(); ++set) {
    SCOPED_TRACE(set);
    std::vector<std::string> withHelp = sets[set];
    withHelp.push_back("Help");
    EXPECT_EQ(Labels(set), sets[set]);
    EXPECT_EQ(Labels(set | kMbHelp), withHelp);
  }
}

struct MarkCase {
  const char* text;
  int accessKey;
  std::string marked;
};

// Marks with '_' and '&' alike, and cuts what would not fit in 15 units.
const MarkCase kMarks[] = {
    {"Yes", 0, "#Yes"},
    {"Try Again", 0, "#Try Again"},
    {"Try Again", 4, "Try #Again"},
    {"Continue", 7, "Continu#e"},
    {"OK", -1, "OK"},
    {"OK", 2, "OK"},  // past the end: nothing to mark
    {"", 0, ""},
    {"", -1, ""},
    {"abcdefghijklmnopq", -1, "abcdefghijklmno"},
    {"abcdefghijklmnopq", 0, "#abcdefghijklmn"},
    {"abcdefghijklmnopq", 14, "abcdefghijklmn"},  // no room for the mark
    {"abcdefghijklmnopq", 13, "abcdefghijklm#n"},
};

std::string Replaced(std::string text, char from, char to) {
  for (char& c : text) {
    if (c == from) c = to;
  }
  return text;
}

TEST(ButtonLabel, MarkLabelInBytes) {
  for (const MarkCase& c : kMarks) {
    SCOPED_TRACE(testing::Message() << c.text << " " << c.accessKey);
    char out[kLabelUnits];
    const int length = MarkLabel(c.text, c.accessKey, '_', out);
    EXPECT_EQ(std::string(out), Replaced(c.marked, '#', '_'));
    EXPECT_EQ(length, static_cast<int>(c.marked.size()));
  }
}

TEST(ButtonLabel, MarkLabelInUtf16) {
  for (const MarkCase& c : kMarks) {
    SCOPED_TRACE(testing::Message() << c.text << " " << c.accessKey);
    char16_t out[kLabelUnits];
    const int length = MarkLabel(c.text, c.accessKey, u'&', out);
    const std::string expected = Replaced(c.marked, '#', '&');
    EXPECT_EQ(std::u16string(out),
              std::u16string(expected.begin(), expected.end()));
    EXPECT_EQ(length, static_cast<int>(c.marked.size()));
  }
}

}  // namespace
}  // namespace vorlick
