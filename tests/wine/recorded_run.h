// The fixture of the tests that run the real Tandrel.exe beside the recording
// Vorlick.dll: a scratch folder of its own, the library's record file and
// result in the environment the program inherits, and the checks of an
// open failure.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"
#include "e2e_support.h"
#include "temp_folder.h"

inline constexpr DWORD kRunDeadlineMs = 30000;
inline const std::u16string kOpenFailureText =
    u"Tandrel.exe. Can not open file ";

inline std::wstring Quote(const std::wstring& text) {
  return L"\"" + text + L"\"";
}

class RecordedRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    record_ = folder_ + L"\\calls.rec";
    request_ = folder_ + L"\\request.txt";
    SetEnvironmentVariableW(L"VORLICK_RECORD", record_.c_str());
    SetEnvironmentVariableW(L"VORLICK_RESULT", L"1");
    SetEnvironmentVariableW(L"VORLICK_PROBE", nullptr);
  }

  // Runs Tandrel.exe and presses OK on every box it shows.
  ProcessOutcome Run(const std::wstring& commandLine,
                     const std::wstring& program = StagedTandrel()) {
    return RunProgram(program, commandLine, folder_, kRunDeadlineMs,
                      [](const BoxContent& box) {
                        PressButton(box.window, IDOK);
                        return true;
                      });
  }

  ProcessOutcome RunWithPath(const std::wstring& path) {
    return Run(Quote(StagedTandrel()) + L" " + path);
  }

  std::vector<Record> Calls() const { return ReadRecords(record_); }

  // Expects the open-failure box for `shownPath`, exit code 0, no call.
  void ExpectOpenFailure(const ProcessOutcome& outcome,
                         const std::u16string& shownPath) {
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0u);
    ASSERT_EQ(outcome.boxes.size(), 1u);
    const BoxContent& box = outcome.boxes[0];
    EXPECT_EQ(box.caption, L"ERROR");
    EXPECT_EQ(ToU16(box.text), kOpenFailureText + shownPath);
    EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
    EXPECT_TRUE(box.hasIcon);
    EXPECT_TRUE(Calls().empty());
  }

  const TempFolder scratch_;
  const std::wstring folder_ = scratch_.root();
  std::wstring record_;
  std::wstring request_;
};
