// The real Tandrel.exe beside the real Vorlick.dll, as they ship: request
// files in, boxes read and answered from outside the process, results out
// as exit codes.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "box_sets.h"
#include "driver.h"
#include "e2e_support.h"
#include "program_cases.h"
#include "recorded_run.h"
#include "temp_folder.h"
#include "vorlick_harness.h"

namespace {

std::u16string Request(const std::u16string& title, const std::u16string& body,
                       int style, int timeout, int defaultId) {
  auto number = [](int value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
  };
  return u"<TITLE>" + title + u"<\\TITLE><BODY>" + body + u"<\\BODY><STYLE>" +
         number(style) + u"<\\STYLE><TIMEDOUT>" + number(timeout) +
         u"<\\TIMEDOUT><DEFID>" + number(defaultId) + u"<\\DEFID>";
}

class TandrelBox : public ::testing::Test {
 protected:
  void SetUp() override { request_ = folder_ + L"\\request.txt"; }

  // Writes the request, runs Tandrel.exe on it and hands its box to `onBox`.
  ProcessOutcome Run(const std::u16string& request, const BoxHandler& onBox) {
    EXPECT_TRUE(WriteBytes(request_, Utf16Bytes(request)));
    return RunFile(request_, onBox);
  }

  ProcessOutcome RunFile(const std::wstring& path, const BoxHandler& onBox) {
    const std::wstring exe = StagedFolder() + L"\\Tandrel.exe";
    return RunProgram(exe, L"\"" + exe + L"\" " + path, folder_, kRunDeadlineMs,
                      onBox);
  }

  const TempFolder scratch_;
  const std::wstring folder_ = scratch_.root();
  std::wstring request_;
};

TEST_F(TandrelBox, EachButtonOfEverySetIsTheExitCode) {
  for (int set = 0; set < 7; ++set) {
    for (int id : kSetIds[set]) {
      SCOPED_TRACE(testing::Message() << "set " << set << " button " << id);
      const ProcessOutcome outcome = Run(
          Request(u"Choose", u"Pick one", set | MB_ICONWARNING, 0, 0),
          [id](const BoxContent& box) { return PressButton(box.window, id); });
      ASSERT_TRUE(outcome.finished);
      EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(id));
      ASSERT_EQ(outcome.boxes.size(), 1u);
      EXPECT_EQ(outcome.boxes[0].caption, L"Choose");
      EXPECT_EQ(outcome.boxes[0].text, L"Pick one");
      EXPECT_EQ(outcome.boxes[0].buttonIds, kSetIds[set]);
      EXPECT_TRUE(outcome.boxes[0].hasIcon);
      EXPECT_FALSE(FileExists(request_));
    }
  }
}

TEST_F(TandrelBox, EscapeAsOnWindows) {
  for (int set = 0; set < 7; ++set) {
    SCOPED_TRACE(testing::Message() << "set " << set);
    bool stayedUp = false;
    const ProcessOutcome outcome =
        Run(Request(u"Escape", u"Press Escape", set, 0, 0),
            [&](const BoxContent& box) {
              PressKey(box.window, VK_ESCAPE);
              if (kSetEscapeResults[set] == 0) {
                Sleep(600);
                stayedUp = IsWindowVisible(box.window) != FALSE;
                PressButton(box.window, kSetIds[set][1]);
              }
              return true;
            });
    ASSERT_TRUE(outcome.finished);
    if (kSetEscapeResults[set] != 0) {
      EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(kSetEscapeResults[set]));
    } else {
      EXPECT_TRUE(stayedUp);
      EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(kSetIds[set][1]));
    }
  }
}

// The program's contract, the same table as the native program's.
TEST_F(TandrelBox, AnswersAsTheProgramContractSays) {
  for (const ProgramAnswer& c : kProgramAnswers) {
    SCOPED_TRACE(c.name);
    int focused = 0;
    std::wstring firstLine;
    ULONGLONG seen = 0;
    ASSERT_TRUE(WriteBytes(request_, c.request));
    const ProcessOutcome outcome =
        RunFile(request_, [&](const BoxContent& box) {
          seen = GetTickCount64();
          firstLine = CountdownOf(box.window);
          focused = FocusedId(box.window);
          if (c.key == ProgramAnswer::Key::kEnter) {
            PressKey(box.window, VK_RETURN);
          }
          if (c.key == ProgramAnswer::Key::kEscape) {
            PressKey(box.window, VK_ESCAPE);
          }
          return true;
        });
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, c.exitCode);
    EXPECT_EQ(outcome.boxes.size(), c.shown ? 1u : 0u);
    if (c.key == ProgramAnswer::Key::kEnter) {
      EXPECT_EQ(focused, static_cast<int>(c.exitCode));
    }
    if (c.shown && c.key == ProgramAnswer::Key::kNone) {
      // From the box's first sight to the program's end, which adds its
      // exit.
      const ULONGLONG elapsed = GetTickCount64() - seen;
      EXPECT_EQ(firstLine, L"Closes in 2 s");
      EXPECT_GE(elapsed, 1500u);
      EXPECT_LE(elapsed, 4500u);
    }
    EXPECT_FALSE(FileExists(request_));
  }
}

// Set 7 is a row of the program's table.
TEST_F(TandrelBox, InvalidButtonSetEndsWithZeroAndNoBox) {
  for (int style : {15, 0x20 | 9}) {
    SCOPED_TRACE(style);
    const ProcessOutcome outcome =
        Run(Request(u"Invalid", u"Not shown", style, 3, 0),
            [](const BoxContent&) { return true; });
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_TRUE(outcome.boxes.empty());
  }
}

TEST_F(TandrelBox, SampleQuestion) {
  const std::wstring sample = folder_ + L"\\question.txt";
  ASSERT_TRUE(CopyFileW((StagedFolder() + L"\\question.txt").c_str(),
                        sample.c_str(), FALSE));
  int focused = 0;
  std::wstring line;
  const ProcessOutcome outcome = RunFile(sample, [&](const BoxContent& box) {
    focused = FocusedId(box.window);
    line = CountdownOf(box.window);
    return PressButton(box.window, IDNO);
  });
  ASSERT_TRUE(outcome.finished);
  EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(IDNO));
  ASSERT_EQ(outcome.boxes.size(), 1u);
  const BoxContent& box = outcome.boxes[0];
  EXPECT_EQ(box.caption, L"Tandrel");
  EXPECT_EQ(box.text, L"The report is ready. Do you want to open it now?");
  EXPECT_EQ(box.buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
  EXPECT_TRUE(box.hasIcon);
  EXPECT_EQ(focused, IDYES);
  EXPECT_TRUE(line == L"Closes in 10 s" || line == L"Closes in 9 s")
      << std::string(line.begin(), line.end());
  EXPECT_FALSE(FileExists(sample));
}

}  // namespace
