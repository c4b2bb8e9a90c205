// The program's contract as one table for both builds: a request file, the
// one key pressed on its box, and what the program exits with. The real
// Tandrel.exe with the real Vorlick.dll under Wine
// (tests/display_win/tandrel_box_test.cpp) and the native tandrel on its
// terminal and GTK boxes (tests/program_posix/tandrel_program_test.cpp) run
// every row; the statuses differ only where a POSIX status holds 8 bits.
#pragma once

#include <cstdint>
#include <string>

struct ProgramAnswer {
  const char* name;
  std::string request;  // 8-bit text, titled "Tandrel question"
  enum class Key { kEnter, kEscape, kNone } key;  // kNone: nobody answers
  std::uint32_t exitCode;  // Tandrel.exe's: the display's whole result
  int status;              // tandrel's exit status
  bool shown = true;       // false: no box at all
};

inline std::string ProgramRequest(const char* style, const char* timeout,
                                  const char* defaultId) {
  return std::string("<TITLE>Tandrel question<\\TITLE><BODY>Go on?<\\BODY>") +
         "<STYLE>" + style + "<\\STYLE><TIMEDOUT>" + timeout +
         "<\\TIMEDOUT><DEFID>" + defaultId + "<\\DEFID>";
}

// Styles: 36 MB_YESNO | MB_ICONQUESTION, 260 MB_YESNO | MB_DEFBUTTON2,
// 515 MB_YESNOCANCEL | MB_DEFBUTTON3, 257 MB_OKCANCEL | MB_DEFBUTTON2.
inline const ProgramAnswer kProgramAnswers[] = {
    {"Enter takes the request's default", ProgramRequest("36", "0", "6"),
     ProgramAnswer::Key::kEnter, 6, 6},
    {"the request's default over the style's", ProgramRequest("515", "0", "7"),
     ProgramAnswer::Key::kEnter, 7, 7},
    {"the style's default", ProgramRequest("260", "0", "0"),
     ProgramAnswer::Key::kEnter, 7, 7},
    {"an ID the box lacks keeps the style's", ProgramRequest("257", "0", "6"),
     ProgramAnswer::Key::kEnter, 2, 2},
    {"Escape on OK and Cancel is Cancel", ProgramRequest("1", "0", "0"),
     ProgramAnswer::Key::kEscape, 2, 2},
    {"the time-out", ProgramRequest("36", "2", "0"), ProgramAnswer::Key::kNone,
     32000, 124},
    {"a button set no box has", ProgramRequest("7", "3", "0"),
     ProgramAnswer::Key::kNone, 0, 0, false},
};
