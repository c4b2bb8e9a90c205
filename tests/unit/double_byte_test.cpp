// The reader in a double-byte ANSI code page, as on a Windows set up for
// Japanese or Chinese: this program supplies the two conversions in place
// of the platform's Windows-1252 ones. A number's text can then be longer
// in bytes than in units, and the reader must cut it to what the number
// buffer holds instead of losing it whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform_api.h"
#include "request_image.h"

namespace {

// The test's code page: ASCII is one byte; any other unit is the lead byte
// 0x81 and a trail byte that holds the unit's low six bits.
constexpr unsigned char kLead = 0x81;
constexpr char16_t kDoubleByteBase = 0x3040;

struct Case {
  const char* name;
  std::string file;
  std::int32_t defaultId;
};

std::string Utf16Request(const std::u16string& number) {
  return Utf16Bytes(u"<TITLE>t<\\TITLE><DEFID>" + number + u"<\\DEFID>");
}

const std::u16string kEighteenWide(18, char16_t{kDoubleByteBase + 2});
// The same text as an 8-bit request holds it.
const std::string kEighteenPairs = [] {
  std::string pairs;
  for (int i = 0; i < 18; ++i) pairs += "\x81\x42";
  return pairs;
}();

class DoubleByteCodePage : public ::testing::TestWithParam<Case> {};

TEST_P(DoubleByteCodePage, NumbersAreCutByTheirBytes) {
  static RequestText buffer;
  LoadRequest(buffer, GetParam().file);
  MessageRequest request = SentinelRequest();
  ParseRequestText(buffer, request);
  EXPECT_EQ(request.defaultId, GetParam().defaultId);
}

const Case kCases[] = {
    // 1 + 18 * 2 bytes: cut to the 10 units whose 19 bytes fit.
    {"Utf16NumberBeforeWideText", Utf16Request(u"7" + kEighteenWide), 7},
    {"AnsiNumberBeforeWideText", "<DEFID>7" + kEighteenPairs + "<\\DEFID>", 7},
    // 18 digits and one wide unit make 20 bytes: the digits are kept.
    {"Utf16EighteenDigitsThenWide",
     Utf16Request(u"123456789012345678" + kEighteenWide.substr(0, 1)),
     -1506741426},
    // 19 bytes exactly: nothing is cut.
    {"Utf16SeventeenDigitsThenWideFit",
     Utf16Request(u"12345678901234567" + kEighteenWide.substr(0, 1)),
     1567312775},
    // 2048 bytes that make 2047 units fit whole: the last byte still counts.
    {"FullAnsiRequestWhoseUnitsFit",
     "\x81\x42" + std::string(2048 - 2 - 16, 'x') + "<DEFID>7<\\DEFID>", 7},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

INSTANTIATE_TEST_SUITE_P(Reader, DoubleByteCodePage,
                         ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace

int MultiByteToWideChar(UINT, DWORD flags, const char* source, int sourceBytes,
                        char16_t* target, int targetUnits) {
  if (flags != 0 || sourceBytes < 1 || targetUnits < 0) return 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  int units = 0;
  for (int i = 0; i < sourceBytes; ++i, ++units) {
    char16_t unit = bytes[i];
    if (bytes[i] == kLead && i + 1 < sourceBytes) {
      unit = static_cast<char16_t>(kDoubleByteBase + (bytes[++i] & 0x3F));
    }
    if (targetUnits == 0) continue;
    if (units == targetUnits) return 0;
    target[units] = unit;
  }
  return units;
}

int WideCharToMultiByte(UINT, DWORD flags, const char16_t* source,
                        int sourceUnits, char* target, int targetBytes,
                        const char*, BOOL*) {
  if (flags != 0 || sourceUnits < 1 || targetBytes < 0) return 0;
  int bytes = 0;
  for (int i = 0; i < sourceUnits; ++i) bytes += source[i] < 0x80 ? 1 : 2;
  if (targetBytes == 0) return bytes;
  if (bytes > targetBytes) return 0;
  for (int i = 0; i < sourceUnits; ++i) {
    if (source[i] < 0x80) {
      *target++ = static_cast<char>(source[i]);
    } else {
      *target++ = static_cast<char>(kLead);
      *target++ = static_cast<char>(0x80 | (source[i] & 0x3F));
    }
  }
  return bytes;
}
