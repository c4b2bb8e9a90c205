#include "e2e_support.h"

#include <shellapi.h>

#include <cstring>

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring StagedTandrel() {
  return ProgramFolder() + L"\\stage\\recording\\Tandrel.exe";
}

std::wstring StagedTandrelWithoutLibrary() {
  return ProgramFolder() + L"\\stage\\nolibrary\\Tandrel.exe";
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() ||
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                      &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadBytes(const std::wstring& path, std::string& bytes) {
  bytes.clear();
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) {
    bytes.append(chunk, got);
  }
  CloseHandle(file);
  return true;
}

namespace {

bool Take(const std::string& bytes, size_t& at, void* out, size_t size) {
  if (at + size > bytes.size()) return false;
  std::memcpy(out, bytes.data() + at, size);
  at += size;
  return true;
}

bool TakeText(const std::string& bytes, size_t& at, std::u16string& text) {
  std::uint32_t units = 0;
  if (!Take(bytes, at, &units, sizeof units) || units > 100000) return false;
  text.resize(units);
  return Take(bytes, at, text.data(), units * sizeof(char16_t));
}

}  // namespace

std::vector<Record> ReadRecords(const std::wstring& path) {
  std::vector<Record> records;
  std::string bytes;
  if (!ReadBytes(path, bytes)) return records;
  size_t at = 0;
  Record record;
  while (Take(bytes, at, &record.header, sizeof record.header) &&
         record.header.magic == kRecordMagic &&
         TakeText(bytes, at, record.body) &&
         TakeText(bytes, at, record.title)) {
    records.push_back(record);
  }
  return records;
}

std::u16string ToU16(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}
