// Fuzzes the POSIX Windows-1252 conversions as the reader calls them: the
// first input byte chooses a capacity, the rest is converted both ways.
// Output goes into buffers with guard units after the capacity, which must
// survive.
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

// Below, at or above what `needed` units take.
int Capacity(std::uint8_t selector, int needed) {
  int capacity = (selector & 0x20) ? needed : needed - (selector & 0x1F);
  if (capacity < 0) capacity = 0;
  if (selector & 0x40) capacity += 1;
  return capacity;
}

// Converts with the size query first, as the reader does, then into a buffer
// of `capacity`: the count is the length when it fits, else 0 with nothing
// written. Returns what was written.
template <typename Unit, typename Convert>
std::basic_string<Unit> Convert(int length, int capacity, Unit guard,
                                Convert convert) {
  FUZZ_CHECK(convert(nullptr, 0) == length);
  std::vector<Unit> out(capacity + kGuard, guard);
  const int got = convert(out.data(), capacity);
  if (capacity == 0) return {};
  const bool fits = length <= capacity;
  FUZZ_CHECK(got == (fits ? length : 0));
  const int written = fits ? length : 0;
  for (int i = written; i < capacity + kGuard; ++i) FUZZ_CHECK(out[i] == guard);
  return std::basic_string<Unit>(out.data(), written);
}

std::u16string ToUnits(const std::string& bytes, int capacity) {
  const int length = static_cast<int>(bytes.size());
  return Convert<char16_t>(
      length, capacity, kGuardUnit, [&](char16_t* out, int room) {
        return MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, out, room);
      });
}

std::string ToBytes(const std::u16string& units, int capacity) {
  const int length = static_cast<int>(units.size());
  return Convert<char>(length, capacity, kGuardByte, [&](char* out, int room) {
    return WideCharToMultiByte(CP_ACP, 0, units.data(), length, out, room,
                               nullptr, nullptr);
  });
}

void CheckBytesRoundTrip(const std::string& bytes, std::uint8_t selector) {
  const std::u16string units =
      ToUnits(bytes, Capacity(selector, static_cast<int>(bytes.size())));
  if (units.size() < bytes.size()) return;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    // ASCII and Latin-1 above 0x9F are their own units.
    if (byte < 0x80 || byte >= 0xA0) FUZZ_CHECK(units[i] == byte);
  }
  FUZZ_CHECK(ToBytes(units, static_cast<int>(units.size())) == bytes);
}

void CheckUnits(const std::u16string& units, std::uint8_t selector) {
  const std::string bytes =
      ToBytes(units, Capacity(selector, static_cast<int>(units.size())));
  if (bytes.size() < units.size()) return;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i] < 0x80) FUZZ_CHECK(bytes[i] == static_cast<char>(units[i]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t selector = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckBytesRoundTrip(bytes, selector);
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(
        static_cast<unsigned char>(bytes[2 * i]) |
        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  if (!units.empty()) CheckUnits(units, selector);
  return 0;
}
