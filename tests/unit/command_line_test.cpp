// The POSIX command line: argv put together the way Windows hands it over.
#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_tail.h"
#include "platform_api.h"

namespace {

struct LineCase {
  const char* name;
  std::vector<const char*> argv;
  std::u16string line;
  std::u16string tail;
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << c.name; }

class CommandLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLines, JoinArgumentsWithSingleBlanks) {
  const auto& argv = GetParam().argv;
  SetCommandLineArgs(static_cast<int>(argv.size()), argv.data());
  EXPECT_EQ(std::u16string(GetCommandLineW()), GetParam().line);
  EXPECT_EQ(std::u16string(CommandTail(GetCommandLineW())), GetParam().tail);
}

const LineCase kCases[] = {
    {"NoArgument", {"tandrel"}, u"\"tandrel\"", u""},
    {"OnePath",
     {"/usr/bin/tandrel", "/tmp/r.txt"},
     u"\"/usr/bin/tandrel\" /tmp/r.txt",
     u"/tmp/r.txt"},
    {"PathWithBlanksInOneArgument",
     {"t", "/tmp/my file.txt"},
     u"\"t\" /tmp/my file.txt",
     u"/tmp/my file.txt"},
    {"SplitPathIsJoinedAgain",
     {"t", "/tmp/my", "file.txt"},
     u"\"t\" /tmp/my file.txt",
     u"/tmp/my file.txt"},
    {"EmptyArgument", {"t", ""}, u"\"t\" ", u""},
    {"ProgramNameWithBlank",
     {"/opt/my apps/t", "r"},
     u"\"/opt/my apps/t\" r",
     u"r"},
    {"NonUtf8BytesAreEscaped",
     {"t", "r\xE9.txt"},
     u"\"t\" r\xDCE9.txt",
     u"r\xDCE9.txt"},
    {"NoArgvAtAll", {}, u"\"\"", u""},
};

INSTANTIATE_TEST_SUITE_P(Posix, CommandLines, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

TEST(CommandLine, OverlongArgumentsAreCutAtTheWindowsLimit) {
  std::string huge(40000, 'a');
  const char* argv[] = {"t", huge.c_str()};
  SetCommandLineArgs(2, argv);
  std::u16string line = GetCommandLineW();
  EXPECT_EQ(line.size(), static_cast<size_t>(kCommandLineUnits - 1));
  EXPECT_EQ(line.substr(0, 5), u"\"t\" a");
}

}  // namespace
