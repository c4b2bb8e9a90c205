// A private folder for one test in the system's temporary folder, new and
// empty, removed with everything in it (read-only entries too) when the
// object goes. Paths are the platform's own text: std::string on POSIX,
// std::wstring on Windows.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

class TempFolder {
 public:
  using Text = std::filesystem::path::string_type;

  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder itself, without a separator at its end.
  const Text& root() const { return root_; }
  // `name` in the folder; with an empty name, the folder and a separator.
  Text Path(const Text& name) const {
    return (std::filesystem::path(root_) / name).native();
  }
  // Writes `bytes` as the file `name` in the folder; returns its path.
  Text Write(const Text& name, const std::string& bytes) const {
    std::ofstream(std::filesystem::path(Path(name)), std::ios::binary) << bytes;
    return Path(name);
  }

 private:
  Text root_;
};

// Whether anything, a dangling link too, has this name.
inline bool Exists(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::symlink_status(path, ignored).type() !=
         std::filesystem::file_type::not_found;
}

// The UTF-16 form of a POSIX path, as the program receives it.
inline std::u16string U16(const std::string& text) {
  std::u16string wide;
  for (unsigned char c : text) wide += static_cast<char16_t>(c);
  return wide;
}
