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

extern "C" int VorlickShowMessage(HWND owner, const char16_t* text,
                                  const char16_t* caption, UINT style,
                                  int timeout, int defaultId) {
  displayCalls.push_back({owner, text, caption, style, timeout, defaultId,
                          HoldsOpen(watchedPath)});
  if (duringCall) duringCall();
  return displayResult;
}

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption,
                UINT type) {
  boxCalls.push_back({owner, text, caption, type});
  return 1;  // OK
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

// The read's own boundary, not the reader's: a closing tag whose last unit
// fills bytes 2046 and 2047 is read, one that fills bytes 2048 and 2049 is
// not (a read of 2049 bytes would find it: the buffer is zero after them).
TEST_F(RunRequestTest, TheReadEndsExactlyAtByte2048) {
  const std::u16string body = u"<BODY>Out<\\BODY>";
  for (std::size_t endsAtByte : {2048u, 2050u}) {
    SCOPED_TRACE(endsAtByte);
    displayCalls.clear();
    std::u16string text = u"<TITLE>In<\\TITLE>";
    text.resize(endsAtByte / 2 - body.size(), u' ');
    text += body + u"    ";
    EXPECT_EQ(Run(folder_.Write("r.txt", Utf16Bytes(text))), 1);
    ASSERT_EQ(displayCalls.size(), 1u);
    EXPECT_EQ(displayCalls[0].caption, u"In");
    EXPECT_EQ(displayCalls[0].text, endsAtByte == 2048 ? u"Out" : u"");
  }
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

// While the box is up, whoever can write the request's folder may change what
// its path names. The run deletes the file it read, under the name it read
// it from, in the folder it read it from, or nothing. The request is
// in/r.txt, and decoys/r.txt a file of the same name elsewhere.
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
      // The name is looked up in the folder the request was read from, where
      // it still names the file read.
      {"folder replaced by a link to a folder holding a decoy",
       [&](const TempFolder& f) {
         move(f, "in", "in.old");
         link(f, "decoys", "in");
       },
       {"decoys/r.txt", "in"},
       {"in.old/r.txt"}},
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
    EXPECT_EQ(displayCalls.back().caption, u"Hello");
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
