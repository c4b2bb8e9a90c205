// RunRequest on real files, with a recording display library and error box
// linked in place of the real ones.
#include "run_request.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform_api.h"
#include "request_image.h"
#include "run_cases.h"
#include "temp_folder.h"
#include "vorlick.h"

namespace {

struct DisplayCall {
  HWND owner;
  std::u16string body;
  std::u16string title;
  UINT style;
  int timeout;
  int defaultId;
  bool fileStillOpen;
};

// A call of MessageBoxW: the box that says the request could not be read.
struct ErrorBoxCall {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT type;
};

std::vector<DisplayCall> displayCalls;
std::vector<ErrorBoxCall> boxCalls;
int displayResult = 1;
std::string watchedPath;
std::function<void()> duringCall;  // what happens while the box is up

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

extern "C" int VorlickShowMessage(void* owner, const char16_t* body,
                                  const char16_t* title, std::uint32_t style,
                                  std::int32_t timeout,
                                  std::int32_t defaultId) {
  displayCalls.push_back(
      {owner, body, title, style, timeout, defaultId, HoldsOpen(watchedPath)});
  if (duringCall) duringCall();
  return displayResult;
}

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption,
                UINT type) {
  boxCalls.push_back({owner, text, caption, type});
  return 1;  // OK
}

namespace {

const std::string kFull = Utf16Bytes(kEveryField);

class RunRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    displayCalls.clear();
    boxCalls.clear();
    displayResult = 1;
    watchedPath.clear();
    duringCall = nullptr;
  }
  void TearDown() override { duringCall = nullptr; }

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

TEST_F(RunRequestTest, CompletedRunsFollowTheContract) {
  for (const CompletedRun& c : CompletedRuns()) {
    SCOPED_TRACE(std::string(c.name) + ", result " + std::to_string(c.result));
    displayCalls.clear();
    displayResult = c.result;
    const std::string path = folder_.Write("r.txt", c.request);
    EXPECT_EQ(Run(path), c.result);
    ASSERT_EQ(displayCalls.size(), 1u);
    const DisplayCall& call = displayCalls[0];
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.title, c.title);
    EXPECT_EQ(call.body, c.body);
    EXPECT_EQ(call.style, c.style);
    EXPECT_EQ(call.timeout, c.timeout);
    EXPECT_EQ(call.defaultId, c.defaultId);
    EXPECT_TRUE(call.fileStillOpen);
    EXPECT_FALSE(HoldsOpen(path));
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(boxCalls.empty());
  }
}

TEST_F(RunRequestTest, OpenFailuresShowTheErrorBoxAndKeepEverything) {
  const std::string request = folder_.Write("request.txt", "<BODY>b<\\BODY>");
  mkdir(folder_.Path("a folder").c_str(), 0700);
  auto pathOf = [&](FailedOpen::Path path) -> std::u16string {
    switch (path) {
      case FailedOpen::Path::kMissing:
        return U16(folder_.Path("none.txt"));
      case FailedOpen::Path::kEmpty:
        return u"";
      case FailedOpen::Path::kFolder:
        return U16(folder_.Path("a folder"));
      default:
        return u"\"" + U16(request) + u"\"";
    }
  };
  std::vector<std::u16string> paths;
  for (const FailedOpen& c : kFailedOpens) paths.push_back(pathOf(c.path));
  // POSIX keeps trailing blanks in a name; only regular files are requests.
  paths.push_back(U16(request) + u"  ");
  paths.push_back(u"/dev/null");
  for (const std::u16string& path : paths) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    boxCalls.clear();
    ExpectOpenFailure(path);
  }
  EXPECT_TRUE(Exists(request));
  EXPECT_TRUE(Exists(folder_.Path("a folder")));
  EXPECT_TRUE(Exists("/dev/null"));
}

// While the box is up, whoever can write the request's folder may change what
// its path names. The run deletes the file it read, under the name it read
// it from, or nothing. The request is in/r.txt, and decoys/r.txt a file of
// the same name elsewhere.
TEST_F(RunRequestTest, DeletesOnlyTheFileThatWasRead) {
  struct Case {
    const char* name;
    std::function<void(const TempFolder&)> change;
    std::vector<std::string> kept;
    std::vector<std::string> gone;
    const char* requestPath = "in/r.txt";
  };
  auto move = [](const TempFolder& f, const char* from, const char* to) {
    ASSERT_EQ(std::rename(f.Path(from).c_str(), f.Path(to).c_str()), 0);
  };
  auto link = [](const TempFolder& f, const char* target, const char* at) {
    ASSERT_EQ(symlink(target, f.Path(at).c_str()), 0);
  };
  const Case cases[] = {
      {"nothing changed", nullptr, {"decoys/r.txt"}, {"in/r.txt"}},
      {"file replaced by a link to a decoy",
       [&](const TempFolder& f) {
         move(f, "in/r.txt", "in/read.txt");
         link(f, "../decoys/r.txt", "in/r.txt");
       },
       {"decoys/r.txt", "in/r.txt", "in/read.txt"},
       {}},
      // The path is looked up again, as on Windows: it leads to the decoy,
      // which is not the file read, so nothing goes.
      {"folder replaced by a link to a folder holding a decoy",
       [&](const TempFolder& f) {
         move(f, "in", "in.old");
         link(f, "decoys", "in");
       },
       {"decoys/r.txt", "in", "in.old/r.txt"},
       {}},
      {"moved away by the caller",
       [&](const TempFolder& f) { move(f, "in/r.txt", "moved.txt"); },
       {"moved.txt", "decoys/r.txt"},
       {"in/r.txt"}},
      {"removed by the caller",
       [](const TempFolder& f) { unlink(f.Path("in/r.txt").c_str()); },
       {"decoys/r.txt"},
       {"in/r.txt"}},
      {"replaced by another file",
       [&](const TempFolder& f) {
         unlink(f.Path("in/r.txt").c_str());
         f.Write("in/r.txt", "other");
       },
       {"in/r.txt"},
       {}},
      {"replaced by a folder",
       [](const TempFolder& f) {
         unlink(f.Path("in/r.txt").c_str());
         mkdir(f.Path("in/r.txt").c_str(), 0700);
       },
       {"in/r.txt"},
       {}},
      // A link given as the request is read through; the name is the link,
      // not the file read, so both stay.
      {"request path is a link",
       [&](const TempFolder&) {},
       {"in/link.txt", "in/r.txt"},
       {},
       "in/link.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    mkdir(folder.Path("in").c_str(), 0700);
    mkdir(folder.Path("decoys").c_str(), 0700);
    folder.Write("in/r.txt", kFull);
    folder.Write("decoys/r.txt", "decoy");
    symlink("r.txt", folder.Path("in/link.txt").c_str());
    if (c.change) duringCall = [&] { c.change(folder); };
    displayResult = 6;
    EXPECT_EQ(Run(folder.Path(c.requestPath)), 6);
    EXPECT_EQ(displayCalls.back().title, u"Hello");
    for (const std::string& name : c.kept) {
      EXPECT_TRUE(Exists(folder.Path(name))) << name;
    }
    for (const std::string& name : c.gone) {
      EXPECT_FALSE(Exists(folder.Path(name))) << name;
    }
    duringCall = nullptr;
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
