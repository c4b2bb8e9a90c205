#include "temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#endif

namespace {

#ifdef _WIN32

// A name no other test, process or earlier run holds: CREATE_NEW for folders.
std::wstring MakeFolder() {
  static unsigned next = 0;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring stem = std::wstring(temp) + L"tandrel-test-" +
                            std::to_wstring(GetCurrentProcessId()) + L"-";
  while (true) {
    std::wstring folder = stem + std::to_wstring(next++);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

// Tests make read-only files, which DeleteFileW refuses.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(folder.c_str());
}

#else

std::string MakeFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "tandrel-test-XXXXXX").string();
  return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

void RemoveTree(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

#endif

}  // namespace

TempFolder::TempFolder() : root_(MakeFolder()) {}

TempFolder::~TempFolder() {
  if (!root_.empty()) RemoveTree(root_);
}
