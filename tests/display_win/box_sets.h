// What Windows' message boxes show and answer for each button set 0 to 6,
// written out from Windows' behaviour for the tests to hold the box to.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline const std::vector<std::vector<int>> kSetIds = {
    {IDOK},
    {IDOK, IDCANCEL},
    {IDABORT, IDRETRY, IDIGNORE},
    {IDYES, IDNO, IDCANCEL},
    {IDYES, IDNO},
    {IDRETRY, IDCANCEL},
    {IDCANCEL, IDTRYAGAIN, IDCONTINUE},
};

inline const std::vector<std::vector<std::wstring>> kSetLabels = {
    {L"OK"},
    {L"OK", L"Cancel"},
    {L"&Abort", L"&Retry", L"&Ignore"},
    {L"&Yes", L"&No", L"Cancel"},
    {L"&Yes", L"&No"},
    {L"&Retry", L"Cancel"},
    {L"Cancel", L"&Try Again", L"&Continue"},
};

// What Escape and the close button give; 0: the box stays up.
inline const int kSetEscapeResults[] = {IDOK, IDCANCEL, 0,       IDCANCEL,
                                        0,    IDCANCEL, IDCANCEL};
