// RunRequest on real files, with a recording display library and error box
// linked in place of the real ones.
#include "run_request.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "platform_api.h"
#include "request_image.h"
#include "temp_folder.h"

namespace {

struct DisplayCall {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT style;
  int timeout;
  int defaultId;
  bool fileStillOpen;
};

struct BoxCall {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT type;
};

std::vector<DisplayCall> displayCalls;
std::vector<BoxCall> boxCalls;
int displayResult = 1;
std::string watchedPath;

// Whether this process holds a descriptor on `path`.
bool HoldsOpen(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == nullptr) return false;
  bool found = false;
  DIR* fds = opendir("/proc/self/fd");
  while (dirent* entry = fds ? readdir(fds) : nullptr) {
    char target[PATH_MAX] = {};
    std::string link = std::string("/proc/self/fd/") + entry->d_name;
    if (readlink(link.c_str(), target, sizeof target - 1) > 0 &&
        std::string(target) == resolved) {
      found = true;
    }
  }
  if (fds) closedir(fds);
  return found;
}

}  // namespace

extern "C" int VorlickShowMessage(HWND owner, const char16_t* text,
                                  const char16_t* caption, UINT style,
                                  int timeout, int defaultId) {
  displayCalls.push_back({owner, text, caption, style, timeout, defaultId,
                          HoldsOpen(watchedPath)});
  return displayResult;
}

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption,
                UINT type) {
  boxCalls.push_back({owner, text, caption, type});
  return IDOK;
}

namespace {

const std::string kFull = Utf16Bytes(
    u"<TITLE>Hello<\\TITLE><BODY>World<\\BODY><STYLE>4<\\STYLE>"
    u"<TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>");

class RunRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    displayCalls.clear();
    boxCalls.clear();
    displayResult = 1;
    watchedPath.clear();
  }

  std::int32_t Run(const std::string& path) {
    watchedPath = path;
    return RunRequest(U16(path).c_str());
  }

  void ExpectOpenFailure(const std::u16string& path) {
    EXPECT_EQ(RunRequest(path.c_str()), 0);
    EXPECT_TRUE(displayCalls.empty());
    ASSERT_EQ(boxCalls.size(), 1u);
    EXPECT_EQ(boxCalls[0].owner, nullptr);
    EXPECT_EQ(boxCalls[0].caption, u"ERROR");
    EXPECT_EQ(boxCalls[0].text, u"Tandrel.exe. Can not open file " + path);
    EXPECT_EQ(boxCalls[0].type, MB_ICONERROR);
  }

  TempFolder folder_;
};

TEST_F(RunRequestTest, CompletedRunPassesTheFieldsAndDeletesTheFile) {
  std::string path = folder_.Write("r.txt", kFull);
  displayResult = 6;
  EXPECT_EQ(Run(path), 6);
  ASSERT_EQ(displayCalls.size(), 1u);
  const DisplayCall& call = displayCalls[0];
  EXPECT_EQ(call.owner, nullptr);
  EXPECT_EQ(call.text, u"World");
  EXPECT_EQ(call.caption, u"Hello");
  EXPECT_EQ(call.style, 4u);
  EXPECT_EQ(call.timeout, 10);
  EXPECT_EQ(call.defaultId, 6);
  EXPECT_TRUE(call.fileStillOpen);
  EXPECT_FALSE(HoldsOpen(path));
  EXPECT_FALSE(Exists(path));
  EXPECT_TRUE(boxCalls.empty());
}

TEST_F(RunRequestTest, ResultIsReturnedWhole) {
  for (int result : {0, 1, -1, 32000, INT_MIN, INT_MAX}) {
    displayCalls.clear();
    displayResult = result;
    EXPECT_EQ(Run(folder_.Write("r.txt", kFull)), result);
    EXPECT_EQ(displayCalls.size(), 1u);
  }
}

TEST_F(RunRequestTest, FieldsTheRequestLacksAreEmptyAndZero) {
  for (const std::string& file :
       {std::string(), std::string("<STYLE>3<\\STYLE>"),
        std::string(5000, 'z')}) {
    displayCalls.clear();
    std::string path = folder_.Write("r.txt", file);
    EXPECT_EQ(Run(path), 1);
    ASSERT_EQ(displayCalls.size(), 1u);
    EXPECT_EQ(displayCalls[0].text, u"");
    EXPECT_EQ(displayCalls[0].caption, u"");
    EXPECT_EQ(displayCalls[0].style, file.size() == 16 ? 3u : 0u);
    EXPECT_EQ(displayCalls[0].timeout, 0);
    EXPECT_EQ(displayCalls[0].defaultId, 0);
    EXPECT_FALSE(Exists(path));
  }
}

TEST_F(RunRequestTest, OnlyTheFirst2048BytesAreRead) {
  std::u16string text = u"<TITLE>In<\\TITLE>";
  text.resize(1024, u' ');
  text += u"<BODY>Out<\\BODY>";
  EXPECT_EQ(Run(folder_.Write("r.txt", Utf16Bytes(text))), 1);
  ASSERT_EQ(displayCalls.size(), 1u);
  EXPECT_EQ(displayCalls[0].caption, u"In");
  EXPECT_EQ(displayCalls[0].text, u"");
}

TEST_F(RunRequestTest, OpenFailuresShowTheErrorBoxAndKeepEverything) {
  mkdir(folder_.Path("dir").c_str(), 0700);
  std::string kept = folder_.Write("kept.txt", kFull);
  struct Case {
    const char* name;
    std::u16string path;
    std::string survivor;
  };
  const Case cases[] = {
      {"missing", U16(folder_.Path("none.txt")), ""},
      {"empty path", u"", ""},
      {"directory", U16(folder_.Path("dir")), folder_.Path("dir")},
      {"quoted path", u"\"" + U16(kept) + u"\"", kept},
      {"trailing blanks are part of the name here", U16(kept) + u"  ", kept},
      {"device", u"/dev/null", "/dev/null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxCalls.clear();
    ExpectOpenFailure(c.path);
    if (!c.survivor.empty()) {
      EXPECT_TRUE(Exists(c.survivor));
    }
  }
}

TEST(FormatOpenFailure, CutsOnlyWhatDoesNotFit) {
  const std::u16string prefix = u"Tandrel.exe. Can not open file ";
  ASSERT_EQ(prefix.size(), 31u);
  struct Case {
    std::size_t pathUnits;
    std::size_t shownUnits;
  };
  for (Case c : {Case{0, 0}, Case{2015, 2015}, Case{2016, 2016},
                 Case{2017, 2016}, Case{32766, 2016}}) {
    std::u16string path(c.pathUnits, u'p');
    RequestText message;
    for (char16_t& unit : message) unit = u'#';
    FormatOpenFailure(path.c_str(), message);
    EXPECT_EQ(std::u16string(message), prefix + path.substr(0, c.shownUnits))
        << c.pathUnits;
  }
}

}  // namespace
