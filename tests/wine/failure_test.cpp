// Failure injection, end to end: the real Tandrel.exe on request files that
// another process holds open, that cannot be read or deleted, and on paths
// that name no request file. A file is deleted only after a completed run.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "driver.h"
#include "e2e_support.h"

namespace {

constexpr DWORD kDeadlineMs = 30000;
const std::u16string kOpenFailure = u"Tandrel.exe. Can not open file ";
const std::u16string kRequestText =
    u"<TITLE>Hello<\\TITLE><BODY>World<\\BODY><STYLE>4<\\STYLE>"
    u"<TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>";

std::wstring TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  return std::wstring(name.begin(), name.end());
}

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

class FailureInjection : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeScratchFolder(TestName());
    record_ = folder_ + L"\\calls.rec";
    request_ = folder_ + L"\\request.txt";
    SetEnvironmentVariableW(L"VORLICK_RECORD", record_.c_str());
    SetEnvironmentVariableW(L"VORLICK_RESULT", L"6");
    SetEnvironmentVariableW(L"VORLICK_PROBE", nullptr);
  }
  void TearDown() override { RemoveTree(folder_); }

  ProcessOutcome Run(const std::wstring& path) {
    const std::wstring line = L"\"" + StagedTandrel() + L"\" " + path;
    return RunProgram(StagedTandrel(), line, folder_, kDeadlineMs,
                      [](const BoxContent& box) {
                        PressButton(box.window, IDOK);
                        return true;
                      });
  }

  // The error box for `shownPath`, exit code 0, no display call.
  void ExpectOpenFailure(const ProcessOutcome& outcome,
                         const std::u16string& shownPath) {
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0u);
    ASSERT_EQ(outcome.boxes.size(), 1u);
    EXPECT_EQ(outcome.boxes[0].caption, L"ERROR");
    EXPECT_EQ(ToU16(outcome.boxes[0].text), kOpenFailure + shownPath);
    EXPECT_TRUE(ReadRecords(record_).empty());
  }

  // A completed run: one display call with the request's fields, no box,
  // the display's result as the exit code.
  void ExpectCompletedRun(const ProcessOutcome& outcome,
                          const std::u16string& caption) {
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 6u);
    EXPECT_TRUE(outcome.boxes.empty());
    const std::vector<Record> calls = ReadRecords(record_);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].caption, caption);
  }

  void ExpectKept(const std::wstring& path, const std::string& bytes) {
    std::string kept;
    ASSERT_TRUE(ReadBytes(path, kept)) << "the request file is gone";
    EXPECT_EQ(kept, bytes);
  }

  std::wstring folder_;
  std::wstring record_;
  std::wstring request_;
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
    ExpectOpenFailure(Run(request_), ToU16(request_));
    holder.Close();
    ExpectKept(request_, bytes);
  }
}

TEST_F(FailureInjection, FileHeldWithoutDeleteSharingStaysAndTheResultCounts) {
  const std::string bytes = Utf16Bytes(kRequestText);
  ASSERT_TRUE(WriteBytes(request_, bytes));
  HeldFile holder(request_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(holder.ok());
  ExpectCompletedRun(Run(request_), u"Hello");
  holder.Close();
  ExpectKept(request_, bytes);
}

TEST_F(FailureInjection, EmptyFileHeldWithoutDeleteSharingStillCompletes) {
  ASSERT_TRUE(WriteBytes(request_, ""));
  HeldFile holder(request_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(holder.ok());
  ExpectCompletedRun(Run(request_), u"");
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
  ExpectOpenFailure(Run(kUnreadable), ToU16(kUnreadable));
}

TEST_F(FailureInjection, ReadOnlyFileStaysAndTheResultCounts) {
  const std::string bytes = Utf16Bytes(kRequestText);
  ASSERT_TRUE(WriteBytes(request_, bytes));
  ASSERT_TRUE(SetFileAttributesW(request_.c_str(), FILE_ATTRIBUTE_READONLY));
  ExpectCompletedRun(Run(request_), u"Hello");
  ExpectKept(request_, bytes);
}

// A folder from which nothing can be deleted, made by the test's fixture
// (read-only and, for root, immutable) with an empty request.txt in it.
std::wstring ReadOnlyFolder() {
  const char* unixPath = std::getenv("TANDREL_READONLY_FOLDER");
  if (unixPath == nullptr) return L"";
  std::wstring path = L"Z:";
  for (const char* p = unixPath; *p != 0; ++p) path += *p == '/' ? L'\\' : *p;
  return path;
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
  ExpectCompletedRun(Run(request), u"Hello");
  ExpectKept(request, bytes);
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
    ExpectOpenFailure(Run(path), ToU16(path));
    EXPECT_TRUE(FileExists(directory));
    ExpectKept(inside, bytes);
  }
}

}  // namespace
