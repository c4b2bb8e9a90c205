// The POSIX request path: the tail of the command line made from the
// arguments, which the arguments after the program's name give alone.
#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_tail.h"

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
  EXPECT_EQ(std::u16string(CommandTail(CommandLineFromArgs(
                static_cast<int>(argv.size()), argv.data()))),
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

TEST(CommandLine, OverlongArgumentsAreCutAndTerminated) {
  std::string huge(40000, 'a');
  const char* argv[] = {"t", huge.c_str()};
  const std::u16string line(CommandLineFromArgs(2, argv));
  EXPECT_EQ(line.size(), 32767u);  // the longest line Windows takes
  EXPECT_EQ(line.substr(0, 11), u"\"tandrel\" a");
}

}  // namespace
