// The differential cases on disk: NNNNN.req holds a request file's bytes,
// expected.bin the record the native reader made of each, in case order:
//   uint32 case count, then per case: uint32 title units, the units,
//   uint32 body units, the units, int32 style, timeout, default id.
// Both the native generator and the Windows-side test read and write it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct ExpectedRecord {
  std::u16string title;
  std::u16string body;
  std::int32_t style = 0;
  std::int32_t timeout = 0;
  std::int32_t defaultId = 0;

  bool operator==(const ExpectedRecord&) const = default;
};

// "00042.req": five digits, so the files sort in case order.
std::string CaseFileName(int index);

bool WriteExpected(const std::string& path,
                   const std::vector<ExpectedRecord>& records);
bool ReadExpected(const std::string& path,
                  std::vector<ExpectedRecord>& records);

bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string& bytes);
