// Files, folders and records for the end-to-end tests of Tandrel.exe.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "recording_format.h"

struct Record {
  RecordHeader header{};
  std::u16string text;
  std::u16string caption;
};

// The folder that holds this test program.
std::wstring ProgramFolder();

// Tandrel.exe beside the recording Vorlick.dll, and alone without one.
std::wstring StagedTandrel();
std::wstring StagedTandrelWithoutLibrary();

bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
bool ReadBytes(const std::wstring& path, std::string& bytes);

// A request file's bytes: UTF-16LE without byte-order mark, or ANSI text as is.
std::string Utf16Bytes(const std::u16string& text);

// Every record the test library appended to `path`, in call order.
std::vector<Record> ReadRecords(const std::wstring& path);

std::u16string ToU16(const std::wstring& text);
