// Fuzzes the POSIX Windows-1252 conversions: the first input byte chooses a
// capacity and a default character, the rest is converted both ways. Output
// goes into buffers with guard units after the capacity, which must survive.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform_api.h"

namespace {

constexpr int kGuard = 8;
constexpr char16_t kGuardUnit = 0xBEEF;
constexpr char kGuardByte = '\x5A';

struct Choice {
  int capacity;     // may be below, at or above what the input needs
  bool terminated;  // convert with a length of -1
  char defaultChar;
};

Choice Choose(std::uint8_t selector, int needed) {
  Choice choice{};
  const int below = selector & 0x1F;
  choice.capacity = (selector & 0x20) ? needed : needed - below;
  if (choice.capacity < 0) choice.capacity = 0;
  if (selector & 0x40) choice.capacity += 1;
  choice.terminated = (selector & 0x80) != 0;
  choice.defaultChar = (selector & 0x01) ? '#' : '?';
  return choice;
}

// Converts `bytes` to units with the chosen capacity and checks the count,
// the last error, and that nothing past the capacity was written. Returns
// the units written.
std::u16string ToUnits(const std::string& bytes, const Choice& choice) {
  const int length = choice.terminated ? -1 : static_cast<int>(bytes.size());
  const int needed =
      static_cast<int>(bytes.size()) + (choice.terminated ? 1 : 0);
  FUZZ_CHECK(MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), length, nullptr,
                                 0) == needed);
  std::vector<char16_t> out(choice.capacity + kGuard, kGuardUnit);
  const int got = MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), length,
                                      out.data(), choice.capacity);
  if (choice.capacity == 0) {
    FUZZ_CHECK(got == needed);
    return std::u16string();
  }
  FUZZ_CHECK(got == (needed <= choice.capacity ? needed : 0));
  if (got == 0) FUZZ_CHECK(GetLastError() == ERROR_INSUFFICIENT_BUFFER);
  const int written = needed <= choice.capacity ? needed : choice.capacity;
  for (int i = written; i < choice.capacity + kGuard; ++i) {
    FUZZ_CHECK(out[i] == kGuardUnit);
  }
  return std::u16string(out.data(), written);
}

// Converts `units` to bytes, with the same checks, and reports the default.
std::string ToBytes(const std::u16string& units, int capacity, char fallback,
                    bool& usedDefault) {
  const int length = static_cast<int>(units.size());
  BOOL queried = TRUE;
  FUZZ_CHECK(WideCharToMultiByte(CP_ACP, 0, units.data(), length, nullptr, 0,
                                 &fallback, &queried) == length);
  std::vector<char> out(capacity + kGuard, kGuardByte);
  BOOL used = TRUE;
  const int got = WideCharToMultiByte(CP_ACP, 0, units.data(), length,
                                      out.data(), capacity, &fallback, &used);
  const int written = length <= capacity ? length : capacity;
  if (capacity > 0) FUZZ_CHECK(got == (length <= capacity ? length : 0));
  for (int i = written; i < capacity + kGuard; ++i) {
    FUZZ_CHECK(out[i] == kGuardByte);
  }
  // Asking for the size tells the same about the default as converting.
  if (length <= capacity) FUZZ_CHECK(queried == used);
  usedDefault = used != FALSE;
  return std::string(out.data(), written);
}

void CheckBytesRoundTrip(const std::string& bytes, std::uint8_t selector) {
  if (bytes.empty()) return;
  const Choice choice = Choose(selector, static_cast<int>(bytes.size()));
  std::u16string units = ToUnits(bytes, choice);
  if (units.size() < bytes.size()) return;
  if (choice.terminated) FUZZ_CHECK(units[bytes.size()] == 0);
  units.resize(bytes.size());  // without the converted terminator
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    // ASCII and Latin-1 above 0x9F are their own units.
    if (byte < 0x80 || byte >= 0xA0) FUZZ_CHECK(units[i] == byte);
  }
  bool usedDefault = true;
  const std::string back = ToBytes(units, static_cast<int>(units.size()),
                                   choice.defaultChar, usedDefault);
  FUZZ_CHECK(back == bytes);
  FUZZ_CHECK(!usedDefault);
}

void CheckUnits(const std::u16string& units, std::uint8_t selector) {
  if (units.empty()) return;
  const Choice choice = Choose(selector, static_cast<int>(units.size()));
  bool usedDefault = false;
  const std::string bytes =
      ToBytes(units, choice.capacity, choice.defaultChar, usedDefault);
  if (bytes.size() < units.size()) return;
  bool defaultSeen = false;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i] < 0x80) FUZZ_CHECK(bytes[i] == static_cast<char>(units[i]));
    defaultSeen = defaultSeen || bytes[i] == choice.defaultChar;
  }
  if (usedDefault) FUZZ_CHECK(defaultSeen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t selector = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  if (selector & 0x80) {
    // A length of -1 converts through the first zero byte.
    CheckBytesRoundTrip(bytes.substr(0, bytes.find('\0')), selector);
  } else {
    CheckBytesRoundTrip(bytes, selector);
  }
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(
        static_cast<unsigned char>(bytes[2 * i]) |
        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  CheckUnits(units, selector);
  return 0;
}
