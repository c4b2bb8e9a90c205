// The POSIX request path: the arguments after the program's name, joined.
#include "request_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PathCase {
  const char* name;
  std::vector<const char*> argv;
  std::u16string path;
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }

class RequestPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(RequestPaths, ComeFromTheArgumentsAlone) {
  const auto& argv = GetParam().argv;
  EXPECT_EQ(std::u16string(RequestPathFromArgs(static_cast<int>(argv.size()),
                                               argv.data())),
            GetParam().path);
}

const PathCase kCases[] = {
    {"NoArgument", {"tandrel"}, u""},
    {"NoArgvAtAll", {}, u""},
    {"OnePath", {"/usr/bin/tandrel", "/tmp/r.txt"}, u"/tmp/r.txt"},
    {"PathWithBlanksInOneArgument",
     {"t", "/tmp/my file.txt"},
     u"/tmp/my file.txt"},
    {"SplitPathIsJoinedAgain",
     {"t", "/tmp/my", "file.txt"},
     u"/tmp/my file.txt"},
    {"BlanksAndControlsBeforeThePathAreSkipped",
     {"t", " \t\x01/tmp/r"},
     u"/tmp/r"},
    {"EmptyFirstArgument", {"t", "", "r"}, u"r"},
    {"TrailingBlanksAndQuotesStay", {"t", "\"r\" ", ""}, u"\"r\"  "},
    {"EmptyArgument", {"t", ""}, u""},
    {"ProgramNameWithQuoteAndBlanks",
     {"/opt/we\"ird dir/tandrel", "/tmp/r"},
     u"/tmp/r"},
    {"NonUtf8BytesAreEscaped", {"t", "r\xE9.txt"}, u"r\xDCE9.txt"},
};

INSTANTIATE_TEST_SUITE_P(Posix, RequestPaths, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

TEST(RequestPath, OverlongArgumentsAreCutAndTerminated) {
  std::string huge(40000, 'a');
  const char* argv[] = {"t", huge.c_str()};
  EXPECT_EQ(std::u16string(RequestPathFromArgs(2, argv)),
            std::u16string(kPathUnits - 1, u'a'));
}

}  // namespace
