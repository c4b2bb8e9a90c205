// Failure injection, end to end: the real Tandrel.exe on request files that
// another process holds open, that cannot be read or deleted, and on paths
// that name no request file. A file is deleted only after a completed run.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "recorded_run.h"

namespace {

const std::u16string kRequestText =
    u"<TITLE>Hello<\\TITLE><BODY>World<\\BODY><STYLE>4<\\STYLE>"
    u"<TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>";

// A handle another process would hold: opened here, closed on scope exit.
class HeldFile {
 public:
  HeldFile(const std::wstring& path, DWORD access, DWORD share)
      : handle_(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { Close(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  void Close() {
    if (ok()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class FailureInjection : public RecordedRunTest {
 protected:
  void SetUp() override {
    RecordedRunTest::SetUp();
    SetEnvironmentVariableW(L"VORLICK_RESULT", L"6");
  }

  // A completed run: one display call with the request's fields, no box,
  // the display's result as the exit code.
  void ExpectCompletedRun(const ProcessOutcome& outcome,
                          const std::u16string& caption) {
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 6u);
    EXPECT_TRUE(outcome.boxes.empty());
    const std::vector<Record> calls = Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].title, caption);
  }

  void ExpectKept(const std::wstring& path, const std::string& bytes) {
    std::string kept;
    ASSERT_TRUE(ReadBytes(path, kept)) << "the request file is gone";
    EXPECT_EQ(kept, bytes);
  }
};

TEST_F(FailureInjection, FileHeldWithoutReadSharingCannotBeOpened) {
  const std::string bytes = Utf16Bytes(kRequestText);
  for (DWORD share :
       {DWORD{0}, DWORD{FILE_SHARE_WRITE}, DWORD{FILE_SHARE_DELETE},
        DWORD{FILE_SHARE_WRITE | FILE_SHARE_DELETE}}) {
    SCOPED_TRACE(share);
    DeleteFileW(record_.c_str());
    ASSERT_TRUE(WriteBytes(request_, bytes));
    HeldFile holder(request_, GENERIC_READ, share);
    ASSERT_TRUE(holder.ok());
    ExpectOpenFailure(RunWithPath(request_), ToU16(request_));
    holder.Close();
    ExpectKept(request_, bytes);
  }
}

TEST_F(FailureInjection, FileHeldWithoutDeleteSharingStaysAndTheResultCounts) {
  const std::string bytes = Utf16Bytes(kRequestText);
  ASSERT_TRUE(WriteBytes(request_, bytes));
  HeldFile holder(request_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(holder.ok());
  ExpectCompletedRun(RunWithPath(request_), u"Hello");
  holder.Close();
  ExpectKept(request_, bytes);
}

TEST_F(FailureInjection, EmptyFileHeldWithoutDeleteSharingStillCompletes) {
  ASSERT_TRUE(WriteBytes(request_, ""));
  HeldFile holder(request_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(holder.ok());
  ExpectCompletedRun(RunWithPath(request_), u"");
  holder.Close();
  ExpectKept(request_, "");
}

// A file that opens but whose read fails. Wine does not let byte-range
// locks stop reads, so the test takes a Unix file that does the same on any
// Linux: a process's own memory file, unreadable at offset 0.
const wchar_t kUnreadable[] = L"Z:\\proc\\self\\mem";

bool OpensButCannotBeRead(const wchar_t* path) {
  HeldFile file(path, GENERIC_READ,
                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  char bytes[16];
  DWORD got = 0;
  return file.ok() && !ReadFile(file.get(), bytes, sizeof bytes, &got, nullptr);
}

TEST_F(FailureInjection, FileWhoseReadFailsIsReportedAndNotShown) {
  if (!OpensButCannotBeRead(kUnreadable)) {
    GTEST_SKIP() << "no file here opens and then fails its read";
  }
  // Before, the run showed an empty box and returned its result.
  ExpectOpenFailure(RunWithPath(kUnreadable), ToU16(kUnreadable));
}

TEST_F(FailureInjection, ReadOnlyFileStaysAndTheResultCounts) {
  const std::string bytes = Utf16Bytes(kRequestText);
  ASSERT_TRUE(WriteBytes(request_, bytes));
  ASSERT_TRUE(SetFileAttributesW(request_.c_str(), FILE_ATTRIBUTE_READONLY));
  ExpectCompletedRun(RunWithPath(request_), u"Hello");
  ExpectKept(request_, bytes);
}

// The Windows path of a Unix path: the Z: drive holds the whole Unix tree.
std::wstring FromUnix(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// A folder from which nothing can be deleted, made by the test's fixture
// (read-only and, for root, immutable) with an empty request.txt in it.
std::wstring ReadOnlyFolder() {
  const char* unixPath = std::getenv("TANDREL_READONLY_FOLDER");
  return unixPath != nullptr ? FromUnix(unixPath) : L"";
}

TEST_F(FailureInjection, FileInReadOnlyFolderStaysAndTheResultCounts) {
  const std::wstring folder = ReadOnlyFolder();
  if (folder.empty() || !FileExists(folder + L"\\probe")) {
    GTEST_SKIP() << "no folder here refuses deletion to this process";
  }
  const std::wstring request = folder + L"\\request.txt";
  const std::string bytes = Utf16Bytes(kRequestText);
  HANDLE file = CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr,
                            TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
  ExpectCompletedRun(RunWithPath(request), u"Hello");
  ExpectKept(request, bytes);
}

// Starts a Unix program and waits for the file it makes last: Wine runs it
// on its own, so its process cannot be waited for.
bool RunUnix(const std::wstring& commandLine, const std::wstring& done) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int i = 0; i < 500 && !FileExists(done); ++i) Sleep(20);
  return FileExists(done);
}

// While the box is up, the request's path is changed from the Unix side
// (tests/wine/swap-during-call.sh, run by the recording library); the run
// must delete only the file it read, and the exit code stays the display's.
// On Windows the path is looked up again for the delete, so after a swapped
// folder the request read stays in the folder moved aside.
TEST_F(FailureInjection, OnlyTheFileThatWasReadIsDeleted) {
  const char* root = std::getenv("TANDREL_SWAP_FOLDER");
  const char* script = std::getenv("TANDREL_SWAP_SCRIPT");
  ASSERT_TRUE(root != nullptr && script != nullptr) << "run it through CTest";
  const std::string bytes = Utf16Bytes(kRequestText);
  struct Case {
    const char* action;
    std::vector<std::pair<const wchar_t*, std::string>> kept;
    std::vector<const wchar_t*> gone;
    const wchar_t* request = L"in\\request.txt";
    bool before = false;  // changed before the run, not during the call
  };
  const Case cases[] = {
      {"link-file",
       {{L"decoys\\request.txt", "decoy"}, {L"in\\read.txt", bytes}},
       {}},
      {"link-folder",
       {{L"decoys\\request.txt", "decoy"}, {L"in.old\\request.txt", bytes}},
       {}},
      {"move", {{L"moved.txt", bytes}}, {L"in\\request.txt"}},
      {"remove", {{L"decoys\\request.txt", "decoy"}}, {L"in\\request.txt"}},
      {"replace", {{L"in\\request.txt", "other"}}, {}},
      // Windows opens a link given as the request as itself and keeps both;
      // Wine 8 opens its target even then, so the file read goes.
      {"link-request", {}, {L"in\\request.txt"}, L"in\\link.txt", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    const std::string unixFolder = std::string(root) + "/" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   c.action;
    const std::wstring folder = FromUnix(unixFolder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    CreateDirectoryW((folder + L"\\in").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\decoys").c_str(), nullptr);
    ASSERT_TRUE(WriteBytes(folder + L"\\in\\request.txt", bytes));
    ASSERT_TRUE(WriteBytes(folder + L"\\decoys\\request.txt", "decoy"));
    const std::wstring command = L"/bin/sh \"" + Widen(script) + L"\" " +
                                 Widen(c.action) + L" \"" + Widen(unixFolder) +
                                 L"\"";
    const std::wstring done = folder + L"\\done";
    if (c.before) {
      ASSERT_TRUE(RunUnix(command, done));
    } else {
      SetEnvironmentVariableW(L"VORLICK_RUN", command.c_str());
      SetEnvironmentVariableW(L"VORLICK_WAIT", done.c_str());
    }
    DeleteFileW(record_.c_str());
    ExpectCompletedRun(RunWithPath(folder + L"\\" + c.request), u"Hello");
    SetEnvironmentVariableW(L"VORLICK_RUN", nullptr);
    SetEnvironmentVariableW(L"VORLICK_WAIT", nullptr);
    EXPECT_TRUE(FileExists(done));
    for (const auto& [name, kept] : c.kept)
      ExpectKept(folder + L"\\" + name, kept);
    for (const wchar_t* name : c.gone) {
      EXPECT_FALSE(FileExists(folder + L"\\" + name)) << name;
    }
  }
}

TEST_F(FailureInjection, PathsThatNameNoRequestFileKeepEverything) {
  const std::wstring directory = folder_ + L"\\a folder";
  ASSERT_TRUE(CreateDirectoryW(directory.c_str(), nullptr));
  const std::wstring inside = directory + L"\\request.txt";
  const std::string bytes = Utf16Bytes(kRequestText);
  ASSERT_TRUE(WriteBytes(inside, bytes));
  const std::wstring paths[] = {
      directory,
      directory + L"  ",
      directory + L"\\",
      folder_ + L"\\missing.txt  ",
      folder_ + L"\\a folder\\*",
  };
  for (const std::wstring& path : paths) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    ExpectOpenFailure(RunWithPath(path), ToU16(path));
    EXPECT_TRUE(FileExists(directory));
    ExpectKept(inside, bytes);
  }
}

}  // namespace
