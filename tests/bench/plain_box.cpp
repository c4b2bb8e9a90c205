// The yardstick for Tandrel.exe's start-up: a plain program that shows the
// system's own message box with the texts and style it is given.
//   plain_box CAPTION TEXT STYLE
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  const auto style = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 10));
  return MessageBoxW(nullptr, argv[2], argv[1], style);
}
