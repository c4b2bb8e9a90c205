// The POSIX layer's Windows-1252 against the platform's own conversions,
// every byte and every UTF-16 unit: the two must agree exactly, so that a
// request reads the same on Linux as on Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "posix/cp1252.h"

namespace {

TEST(Cp1252AgainstPlatform, EveryByte) {
  ASSERT_EQ(GetACP(), 1252u);
  for (int byte = 1; byte < 256; ++byte) {
    char source[1] = {static_cast<char>(byte)};
    wchar_t unit = 0;
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, source, 1, &unit, 1), 1);
    EXPECT_EQ(static_cast<char16_t>(unit),
              Cp1252ToUnit(static_cast<unsigned char>(byte)))
        << byte;
  }
}

TEST(Cp1252AgainstPlatform, EveryUnit) {
  ASSERT_EQ(GetACP(), 1252u);
  int mismatches = 0;
  for (unsigned value = 1; value <= 0xFFFF; ++value) {
    wchar_t unit = static_cast<wchar_t>(value);
    char platform = 0;
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, &unit, 1, &platform, 1, nullptr,
                                  nullptr),
              1);
    char mine = UnitToCp1252(static_cast<char16_t>(value));
    if (mine != platform) {
      ADD_FAILURE() << std::hex << "U+" << value << ": platform "
                    << int{static_cast<unsigned char>(platform)} << ", ours "
                    << int{static_cast<unsigned char>(mine)};
      if (++mismatches > 20) return;
    }
  }
}

}  // namespace
