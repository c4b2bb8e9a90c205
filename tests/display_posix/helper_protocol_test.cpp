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

HelperRequest RequestFor(const BoxPlan& plan) {
  HelperRequest request{};
  for (int i = 0; i < 8; ++i) request.magic[i] = kRequestMagic[i];
  WritePlan(plan, request);
  return request;
}

// The helper shows the library's plan as it is, for every style.
TEST(HelperProtocolTest, ThePlanArrivesWhole) {
  for (const char* language : {"en", "ja", "pt_BR"}) {
    for (std::uint32_t style :
         {0x0u, 0x4001u, 0x1323u, 0x2046u, 0x1C0012u, 0x50235u, 0x3004u}) {
      SCOPED_TRACE(testing::Message() << language << " " << std::hex << style);
      BoxPlan sent = PlanBox(style, 7);
      sent.language = FindLanguage(language);
      BoxPlan got{};
      ASSERT_TRUE(ReadRequest(RequestFor(sent), got));
      EXPECT_EQ(std::vector<int>(got.buttons.ids,
                                 got.buttons.ids + got.buttons.count),
                std::vector<int>(sent.buttons.ids,
                                 sent.buttons.ids + sent.buttons.count));
      EXPECT_EQ(got.defaultIndex, sent.defaultIndex);
      EXPECT_EQ(got.escapeAnswer, sent.escapeAnswer);
      EXPECT_EQ(got.look.icon, sent.look.icon);
      EXPECT_EQ(got.look.modality, sent.look.modality);
      EXPECT_EQ(got.look.topmost, sent.look.topmost);
      EXPECT_EQ(got.look.setForeground, sent.look.setForeground);
      EXPECT_EQ(got.look.rightAligned, sent.look.rightAligned);
      EXPECT_EQ(got.look.rightToLeft, sent.look.rightToLeft);
      EXPECT_EQ(got.language, sent.language);
    }
  }
}

TEST(HelperProtocolTest, RequestHeadersThatAreRefused) {
  HelperRequest good = RequestFor(PlanBox(0x3, 0));  // Yes, No, Cancel
  CopyName("de", good.language);
  CopyName("a-program-name-longer-than-its-field", good.program);
  EXPECT_EQ(std::string(good.program), "a-program-name-longer-than-its-");
  BoxPlan plan{};
  ASSERT_TRUE(ReadRequest(good, plan));
  EXPECT_EQ(plan.language, FindLanguage("de"));
  CopyName("xx", good.language);  // not shipped: English
  ASSERT_TRUE(ReadRequest(good, plan));
  EXPECT_EQ(plan.language, kEnglish);
  struct Case {
    const char* name;
    void (*spoil)(HelperRequest&);
  };
  const Case cases[] = {
      {"magic", [](HelperRequest& r) { r.magic[7] = '1'; }},
      {"body units", [](HelperRequest& r) { r.bodyUnits = kMostUnits + 1; }},
      {"title units", [](HelperRequest& r) { r.titleUnits = kMostUnits + 1; }},
      {"language unterminated",
       [](HelperRequest& r) {
         for (char& c : r.language) c = 'x';
       }},
      {"program unterminated",
       [](HelperRequest& r) {
         for (char& c : r.program) c = 'x';
       }},
      {"no buttons", [](HelperRequest& r) { r.plan.buttonCount = 0; }},
      {"five buttons", [](HelperRequest& r) { r.plan.buttonCount = 5; }},
      {"IDCLOSE", [](HelperRequest& r) { r.plan.buttons[1] = 8; }},
      {"ID 12", [](HelperRequest& r) { r.plan.buttons[2] = 12; }},
      {"ID 0", [](HelperRequest& r) { r.plan.buttons[0] = 0; }},
      {"default beyond", [](HelperRequest& r) { r.plan.defaultIndex = 3; }},
      {"default negative", [](HelperRequest& r) { r.plan.defaultIndex = -1; }},
      {"escape not a button",
       [](HelperRequest& r) { r.plan.escapeAnswer = 1; }},
      {"icon", [](HelperRequest& r) { r.plan.icon = 5; }},
      {"modality", [](HelperRequest& r) { r.plan.modality = 3; }},
      {"flag", [](HelperRequest& r) { r.plan.flags = 16; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HelperRequest bad = good;
    c.spoil(bad);
    EXPECT_FALSE(ReadRequest(bad, plan));
  }
  good.plan.escapeAnswer = 0;  // a box without a way out
  EXPECT_TRUE(ReadRequest(good, plan));
}

}  // namespace
}  // namespace vorlick
