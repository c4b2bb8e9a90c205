#include "case_file.h"

#include <memory>

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File Open(const std::string& path, const char* mode) {
  return File(std::fopen(path.c_str(), mode), &std::fclose);
}

template <typename T>
bool Put(std::FILE* file, const T& value) {
  return std::fwrite(&value, sizeof value, 1, file) == 1;
}

template <typename T>
bool Get(std::FILE* file, T& value) {
  return std::fread(&value, sizeof value, 1, file) == 1;
}

bool PutText(std::FILE* file, const std::u16string& text) {
  const auto units = static_cast<std::uint32_t>(text.size());
  return Put(file, units) &&
         std::fwrite(text.data(), sizeof(char16_t), units, file) == units;
}

bool GetText(std::FILE* file, std::u16string& text) {
  std::uint32_t units = 0;
  if (!Get(file, units) || units > 4096) return false;
  text.resize(units);
  return std::fread(text.data(), sizeof(char16_t), units, file) == units;
}

}  // namespace

std::string CaseFileName(int index) {
  char name[16];
  std::snprintf(name, sizeof name, "%05d.req", index);
  return name;
}

bool WriteExpected(const std::string& path,
                   const std::vector<ExpectedRecord>& records) {
  File file = Open(path, "wb");
  if (!file) return false;
  bool ok = Put(file.get(), static_cast<std::uint32_t>(records.size()));
  for (const ExpectedRecord& r : records) {
    ok = ok && PutText(file.get(), r.title) && PutText(file.get(), r.body) &&
         Put(file.get(), r.style) && Put(file.get(), r.timeout) &&
         Put(file.get(), r.defaultId);
  }
  return ok;
}

bool ReadExpected(const std::string& path,
                  std::vector<ExpectedRecord>& records) {
  records.clear();
  File file = Open(path, "rb");
  std::uint32_t count = 0;
  if (!file || !Get(file.get(), count)) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    ExpectedRecord r;
    if (!GetText(file.get(), r.title) || !GetText(file.get(), r.body) ||
        !Get(file.get(), r.style) || !Get(file.get(), r.timeout) ||
        !Get(file.get(), r.defaultId)) {
      return false;
    }
    records.push_back(r);
  }
  return true;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  File file = Open(path, "wb");
  return file &&
         std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  File file = Open(path, "rb");
  if (!file) return false;
  char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    bytes.append(chunk, got);
  }
  return std::ferror(file.get()) == 0;
}
