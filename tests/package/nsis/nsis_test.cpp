// Installers built by makensis from the release zip's Tandrel.nsh and
// example.nsi (build_installers.sh), run silently under Wine: beside the
// zip's own Tandrel.exe and Vorlick.dll, beside the recording Vorlick.dll,
// beside a Tandrel.exe without a library and alone. No run leaves a request
// in the temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "driver.h"
#include "e2e_support.h"
#include "temp_folder.h"

namespace {

constexpr DWORD kDeadlineMs = 60000;
constexpr DWORD kCouldNotAsk = 65;  // the example's exit code then
constexpr DWORD kStatusDllNotFound = 0xC0000135;

std::wstring Installers() { return ProgramFolder() + L"\\installers"; }

std::wstring RecordingFolder() {
  const std::wstring tandrel = StagedTandrel();
  return tandrel.substr(0, tandrel.find_last_of(L'\\'));
}

class InstallerRun : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* name : {L"TMP", L"TEMP"}) {
      wchar_t value[MAX_PATH] = {};
      GetEnvironmentVariableW(name, value, MAX_PATH);
      saved_.emplace_back(value);
      SetEnvironmentVariableW(name, temp_.root().c_str());
    }
    SetEnvironmentVariableW(L"VORLICK_RECORD", record_.c_str());
    SetEnvironmentVariableW(L"VORLICK_RESULT", L"6");
  }
  void TearDown() override {
    const wchar_t* names[] = {L"TMP", L"TEMP"};
    for (int i = 0; i < 2; ++i) {
      SetEnvironmentVariableW(names[i],
                              saved_[i].empty() ? nullptr : saved_[i].c_str());
    }
    EXPECT_TRUE(std::filesystem::is_empty(temp_.root()))
        << "a request was left in the temporary folder";
  }

  // Copies the installer `name` into a new folder (run_) with the files
  // `beside` and runs it silently, leaving every box to its time-out.
  ProcessOutcome Run(const std::wstring& name,
                     const std::vector<std::wstring>& beside) {
    run_ = folders_.root() + L"\\" + std::to_wstring(++runs_);
    CreateDirectoryW(run_.c_str(), nullptr);
    for (const std::wstring& file : beside) {
      const std::wstring base = file.substr(file.find_last_of(L'\\') + 1);
      CopyFileW(file.c_str(), (run_ + L"\\" + base).c_str(), TRUE);
    }
    const std::wstring setup = run_ + L"\\setup.exe";
    CopyFileW((Installers() + L"\\" + name).c_str(), setup.c_str(), TRUE);
    ProcessOutcome outcome =
        RunProgram(setup, L"\"" + setup + L"\" /S", run_, kDeadlineMs,
                   [](const BoxContent&) { return false; });
    EXPECT_TRUE(outcome.finished);
    return outcome;
  }

  std::vector<Record> Calls() const { return ReadRecords(record_); }

  const TempFolder folders_;
  const TempFolder temp_;
  const TempFolder records_;
  const std::wstring record_ = records_.root() + L"\\calls.rec";
  std::vector<std::wstring> saved_;
  std::wstring run_;  // the folder of the last run
  int runs_ = 0;
};

TEST_F(InstallerRun, WithTheRealLibraryTheQuestionTimesOut) {
  const std::wstring zip = Installers() + L"\\zip\\";
  ProcessOutcome outcome =
      Run(L"real.exe", {zip + L"Tandrel.exe", zip + L"Vorlick.dll"});
  EXPECT_EQ(outcome.exitCode, 32000u);
}

// The question by name, answered Yes, and the notice by number that
// follows: each of the five values as the build gave it.
TEST_F(InstallerRun, TheValuesArriveExactly) {
  const std::wstring folder = RecordingFolder();
  ProcessOutcome outcome = Run(
      L"values.exe", {folder + L"\\Tandrel.exe", folder + L"\\Vorlick.dll"});
  EXPECT_EQ(outcome.exitCode, 6u);
  const std::vector<Record> calls = Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].title, u"Grüße aus Köln ✓ 😀");
  EXPECT_EQ(calls[0].body, u"Zeile 1\r\nZeile 2: äöü ß € 日本語 <TITLE>");
  EXPECT_EQ(calls[0].header.style, 36u);  // yesno, question
  EXPECT_EQ(calls[0].header.timeout, 7);
  EXPECT_EQ(calls[0].header.defaultId, 7);  // no
  EXPECT_EQ(calls[1].title, u"Grüße aus Köln ✓ 😀");
  EXPECT_EQ(calls[1].body, u"Ça marche — ok");
  EXPECT_EQ(calls[1].header.style, 0x40040u);
  EXPECT_EQ(calls[1].header.timeout, 7);
  EXPECT_EQ(calls[1].header.defaultId, -3);
}

// Refused, or nothing that could run: no box, the reason's exit code, or
// the program's own when it started but found no library.
TEST_F(InstallerRun, NothingIsAskedThatCannotBe) {
  const std::wstring folder = RecordingFolder();
  const std::vector<std::wstring> recording = {folder + L"\\Tandrel.exe",
                                               folder + L"\\Vorlick.dll"};
  EXPECT_EQ(Run(L"refused.exe", recording).exitCode, kCouldNotAsk);
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(Run(L"real.exe", {}).exitCode, kCouldNotAsk);
}

TEST_F(InstallerRun, WithoutItsLibraryTandrelLeavesTheRequestToTheHeader) {
  ProcessOutcome outcome = Run(L"real.exe", {StagedTandrelWithoutLibrary()});
  EXPECT_EQ(outcome.exitCode, kStatusDllNotFound);
}

// names.nsi: every name once, numbers at the edges, the values refused.
TEST_F(InstallerRun, NamesNumbersAndRefusals) {
  const std::wstring folder = RecordingFolder();
  SetEnvironmentVariableW(L"VORLICK_RESULT", L"1");
  ProcessOutcome outcome =
      Run(L"names.exe", {folder + L"\\Tandrel.exe", folder + L"\\Vorlick.dll"});
  EXPECT_EQ(outcome.exitCode, 0u);
  struct Asked {
    std::u16string title;
    std::u16string body;
    std::uint32_t style;
    std::int32_t timeout;
    std::int32_t defaultId;
  };
  const std::u16string units942(942, u'x');
  const std::vector<Asked> asked = {
      {u"1", u"", 0x00, 0, 1},
      {u"2", u"", 0x11, 0, 2},
      {u"3", u"", 0x22, 0, 3},
      {u"4", u"", 0x33, 0, 4},
      {u"5", u"", 0x44, 0, 5},
      {u"6", u"", 0x05, 0, 6},
      {u"7", u"", 0x06, 0, 7},
      {u"8", u"", 0x00, 0, 10},
      {u"9", u"", 0x00, 0, 11},
      {u"10", u"", 0x00, 0, 9},
      {u"11", u"", 0x00, 0, 0},
      {u"12 <STYLE><TIMEDOUT><DEFID><TITLE>", u"<TITLE><BODY>", 0xFFFFFFFF,
       2147483647, -2147483647 - 1},
      {u"13", u"", 0x24, 8, -1},  // 0x24 hexadecimal, 010 octal
      {u"", units942, 0, 0, 0},
  };
  const std::vector<Record> calls = Calls();
  ASSERT_EQ(calls.size(), asked.size());
  for (std::size_t i = 0; i < asked.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(calls[i].title, asked[i].title);
    EXPECT_EQ(calls[i].body, asked[i].body);
    EXPECT_EQ(calls[i].header.style, asked[i].style);
    EXPECT_EQ(calls[i].header.timeout, asked[i].timeout);
    EXPECT_EQ(calls[i].header.defaultId, asked[i].defaultId);
  }
  std::string answers;
  ASSERT_TRUE(ReadBytes(run_ + L"\\answers.txt", answers));
  const std::u16string refused = u"refused: ";
  const std::u16string tooLong =
      u" UTF-16 units, but at most 942 fit (a request holds 2048 bytes, "
      u"tags included)";
  std::u16string expected;
  for (int i = 0; i < 13; ++i) expected += u"1\r\n";
  for (const std::u16string& why : {
           std::u16string(u"buttons: 'yes' is none of ok, okcancel, "
                          u"abortretryignore, yesnocancel, yesno, "
                          u"retrycancel, canceltrycontinue"),
           std::u16string(u"icon: 'info' is none of none, error, question, "
                          u"warning, information"),
           std::u16string(u"default: 'maybe' is none of ok, cancel, abort, "
                          u"retry, ignore, yes, no, tryagain, continue, help"),
           std::u16string(u"title: holds \"<\\TITLE>\", which would end it "
                          u"there"),
           std::u16string(u"title: holds \"<BODY>\", where the body would be "
                          u"read from"),
           std::u16string(u"title: holds \"<\\BODY>\", which would be read as "
                          u"the end of the body"),
           std::u16string(u"body: holds \"<\\BODY>\", which would end it "
                          u"there"),
       }) {
    expected += refused + why + u"\r\n";
  }
  expected += u"1\r\n";
  expected += refused +
              u"body: is 943 UTF-16 units, but beside the title and the "
              u"numbers at most 942 fit (a request holds 2048 bytes, tags "
              u"included)\r\n";
  expected += refused + u"title: is 943" + tooLong + u"\r\n";
  EXPECT_EQ(ToU16(std::wstring(reinterpret_cast<const wchar_t*>(answers.data()),
                               answers.size() / 2)),
            expected);
}

}  // namespace
