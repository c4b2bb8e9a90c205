// The differential test's case generator: the same file for the same number
// on every run, and a case set that holds every kind of request it promises.
#include "request_generator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_file.h"
#include "temp_folder.h"

namespace {

constexpr int kCases = 3000;

bool Holds(const std::string& file, const std::string& piece) {
  return file.find(piece) != std::string::npos;
}

std::string Wide(const std::string& ascii) {
  std::string bytes;
  for (char c : ascii) bytes += {c, '\0'};
  return bytes;
}

TEST(RequestGenerator, SameNumberGivesTheSameFile) {
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(MakeRequestFile(1, i), MakeRequestFile(1, i)) << i;
  }
  EXPECT_NE(MakeRequestFile(1, 0), MakeRequestFile(1, 1));
  EXPECT_NE(MakeRequestFile(1, 0), MakeRequestFile(2, 0));
}

TEST(RequestGenerator, CaseSetHoldsEveryKindOfRequest) {
  struct Kind {
    const char* name;
    bool (*matches)(const std::string&);
    int atLeast;
  };
  const Kind kinds[] = {
      {"UTF-16 with title",
       [](const std::string& f) { return Holds(f, Wide("<TITLE>")); }, 1000},
      {"8-bit with title",
       [](const std::string& f) { return Holds(f, "<TITLE>"); }, 700},
      {"UTF-16 nested pair",
       [](const std::string& f) {
         std::size_t open = f.find(Wide("<TITLE>"));
         return open != std::string::npos &&
                f.find(Wide("<STYLE>"), open) < f.find(Wide("<\\TITLE>"), open);
       },
       60},
      {"fullwidth digit",
       [](const std::string& f) { return Holds(f, "\x11\xFF"); }, 120},
      {"subscript digit",
       [](const std::string& f) { return Holds(f, "\x81\x20"); }, 100},
      {"at least 2048 bytes",
       [](const std::string& f) { return f.size() >= 2048; }, 150},
      {"below 2048 bytes near the limit",
       [](const std::string& f) { return f.size() >= 2040 && f.size() < 2048; },
       120},
      {"odd length", [](const std::string& f) { return f.size() % 2 == 1; },
       600},
      {"zero byte inside",
       [](const std::string& f) { return Holds(f, std::string(1, '\0')); },
       1200},
      {"digits beyond 32 bits",
       [](const std::string& f) {
         int run = 0;
         for (std::size_t i = 0; i < f.size() && run < 12; ++i) {
           const bool digit = f[i] >= '0' && f[i] <= '9';
           const bool wideDigit = digit && i + 1 < f.size() && f[i + 1] == 0;
           run = digit ? run + 1 : 0;
           if (wideDigit) ++i;
         }
         return run >= 12;
       },
       600},
  };
  std::vector<std::string> files;
  for (int i = 0; i < kCases; ++i) files.push_back(MakeRequestFile(1, i));
  for (const Kind& kind : kinds) {
    int count = 0;
    for (const std::string& file : files) count += kind.matches(file) ? 1 : 0;
    EXPECT_GE(count, kind.atLeast) << kind.name;
  }
}

TEST(CaseFile, RecordsRoundTrip) {
  TempFolder folder;
  const std::vector<ExpectedRecord> records = {
      {u"", u"", 0, 0, 0},
      {u"Caf\u00E9", std::u16string(1023, u'b'), -1, INT32_MIN, INT32_MAX},
  };
  ASSERT_TRUE(WriteExpected(folder.Path("expected.bin"), records));
  std::vector<ExpectedRecord> back;
  ASSERT_TRUE(ReadExpected(folder.Path("expected.bin"), back));
  EXPECT_EQ(back, records);
  EXPECT_EQ(CaseFileName(42), "00042.req");
}

}  // namespace
