// The record of the stand-in libvorlick.so: one "name value" line each for
// the style, time-out, default ID, title and body (UTF-16 units as
// big-endian hex), every argument of tandrel (bytes as hex) and the request
// file's permissions (octal).
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

inline std::string HexBytes(const std::string& bytes) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  return hex;
}

inline std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t at = 0; at + 1 < hex.size(); at += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(at, 2), nullptr, 16));
  }
  return bytes;
}

struct Recorded {
  std::uint32_t style = 0;
  std::int32_t timeout = 0;
  std::int32_t defaultId = 0;
  std::u16string title;
  std::u16string body;
  std::vector<std::string> args;
  std::string mode;
};

inline std::optional<Recorded> ReadRecord(const std::string& path) {
  std::ifstream file(path);
  if (!file) return std::nullopt;
  Recorded record;
  std::string name;
  std::string value;
  auto units = [](const std::string& hex) {
    const std::string bytes = FromHex(hex);
    std::u16string text;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
      text +=
          static_cast<char16_t>((static_cast<unsigned char>(bytes[at]) << 8) |
                                static_cast<unsigned char>(bytes[at + 1]));
    }
    return text;
  };
  while (file >> name) {
    std::getline(file, value);
    if (!value.empty()) value.erase(0, 1);
    if (name == "style") record.style = std::stoul(value);
    if (name == "timeout") record.timeout = std::stoi(value);
    if (name == "default") record.defaultId = std::stoi(value);
    if (name == "title") record.title = units(value);
    if (name == "body") record.body = units(value);
    if (name == "arg") record.args.push_back(FromHex(value));
    if (name == "mode") record.mode = value;
  }
  return record;
}
