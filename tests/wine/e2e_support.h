// Files, folders and records for the end-to-end tests of Tandrel.exe.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "recording_format.h"
#include "request_image.h"

struct Record {
  RecordHeader header{};
  std::u16string body;
  std::u16string title;
};

// The folder that holds this test program.
std::wstring ProgramFolder();

// Tandrel.exe beside the recording Vorlick.dll, and alone without one.
std::wstring StagedTandrel();
std::wstring StagedTandrelWithoutLibrary();

bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
bool ReadBytes(const std::wstring& path, std::string& bytes);

// Every record the test library appended to `path`, in call order.
std::vector<Record> ReadRecords(const std::wstring& path);

std::u16string ToU16(const std::wstring& text);
