// The reports of the GTK helper as the library reads them, whatever pieces
// the socket hands them over in.
#include "helper_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

struct Reading {
  bool opened;
  bool answered;
  int answer;
};

Reading Read(const std::vector<std::string>& pieces) {
  ReportReader reader;
  for (const std::string& piece : pieces)
    reader.Feed(piece.data(), piece.size());
  return {reader.opened(), reader.answered(), reader.answer()};
}

TEST(HelperProtocolTest, ReportsAsTheyArrive) {
  struct Case {
    const char* name;
    std::vector<std::string> pieces;
    bool opened;
    bool answered;
    int answer;
  };
  const Case cases[] = {
      {"nothing", {}, false, false, 0},
      {"opened only", {"opened\n"}, true, false, 0},
      {"answer", {"opened\nanswer 6\n"}, true, true, 6},
      {"in pieces", {"op", "ened\nans", "wer 3", "2000\n"}, true, true, 32000},
      {"negative", {"opened\nanswer -7\n"}, true, true, -7},
      {"line not ended", {"opened\nanswer 6"}, true, false, 0},
      {"unknown lines passed over",
       {"hello\nopened\nanswer 1\n"},
       true,
       true,
       1},
      {"first answer counts", {"answer 2\nanswer 7\n"}, false, true, 2},
      {"not a number", {"answer 6x\nanswer \nanswer -\n"}, false, false, 0},
      {"beyond int",
       {"answer 2147483648\nanswer -2147483648\n"},
       false,
       true,
       -2147483647 - 1},
      {"overlong line ignored whole",
       {"answer 1" + std::string(40, '0') + "\nopened\n"},
       true,
       false,
       0},
      {"opened with more", {"opened now\n"}, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Reading reading = Read(c.pieces);
    EXPECT_EQ(reading.opened, c.opened);
    EXPECT_EQ(reading.answered, c.answered);
    EXPECT_EQ(reading.answer, c.answer);
  }
}

TEST(HelperProtocolTest, AnswerLines) {
  const std::pair<int, const char*> cases[] = {
      {0, "answer 0\n"},
      {7, "answer 7\n"},
      {32000, "answer 32000\n"},
      {-2147483647 - 1, "answer -2147483648\n"},
  };
  for (const auto& [answer, text] : cases) {
    char line[24];
    const int length = FormatAnswer(answer, line);
    EXPECT_EQ(std::string(line, length), text);
  }
}

TEST(HelperProtocolTest, RequestHeadersThatAreRefused) {
  HelperRequest good{};
  for (int i = 0; i < 8; ++i) good.magic[i] = kRequestMagic[i];
  CopyName("de", good.language);
  CopyName("a-program-name-longer-than-its-field", good.program);
  EXPECT_EQ(std::string(good.program), "a-program-name-longer-than-its-");
  EXPECT_TRUE(IsValidRequest(good));
  HelperRequest bad = good;
  bad.magic[7] = '2';
  EXPECT_FALSE(IsValidRequest(bad));
  bad = good;
  bad.textUnits = kMostUnits + 1;
  EXPECT_FALSE(IsValidRequest(bad));
  bad = good;
  for (char& c : bad.language) c = 'x';
  EXPECT_FALSE(IsValidRequest(bad));
}

}  // namespace
}  // namespace vorlick
