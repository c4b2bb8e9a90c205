// The run's contract as one table for both builds: the native run in this
// process (run_request_test.cpp) and the real Tandrel.exe under Wine
// (tests/wine/e2e_test.cpp) take the same request files and must hand the
// display the same five values, return its result whole and delete the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "request_image.h"

struct CompletedRun {
  const char* name;
  std::string request;  // the request file's bytes
  std::int32_t result;  // what the display returns, and with it the run
  // What the display must be handed.
  std::u16string title;
  std::u16string body;
  std::uint32_t style;
  std::int32_t timeout;
  std::int32_t defaultId;
};

inline const std::u16string kEveryField =
    u"<TITLE>Hello<\\TITLE>\r\n<BODY>World<\\BODY>\r\n<STYLE>4<\\STYLE>"
    u"<TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>";

// A full 8-bit request of 2048 bytes whose body's closing tag ends
// `trailing` bytes before the end; its 2000-byte title is cut to 1023 units.
inline std::string FullAnsiRequest(std::size_t trailing) {
  std::string request = "<TITLE>" + std::string(2000, 'T') + "<\\TITLE><BODY>";
  request += std::string(2048 - request.size() - 7 - trailing, 'b');
  return request + "<\\BODY>" + std::string(trailing, 'x');
}

inline std::vector<CompletedRun> CompletedRuns() {
  std::vector<CompletedRun> runs = {
      {"UTF-16 with every field", Utf16Bytes(kEveryField), 6, u"Hello",
       u"World", 4, 10, 6},
      // 0xE9 is e-acute, 0x80 the euro sign, 0x81 undefined (kept as U+0081).
      {"8-bit in code page 1252",
       "<BODY>Caf\xE9 \x80 \x81<\\BODY><TITLE>Hello<\\TITLE>"
       "<STYLE> -36x<\\STYLE>",
       1, u"Hello", u"Caf\u00E9 \u20AC \u0081", static_cast<std::uint32_t>(-36),
       0, 0},
      // Fullwidth digits become ASCII digits on their way to 8-bit text.
      {"number through the best-fit conversion",
       Utf16Bytes(u"<TITLE><\\TITLE><STYLE>\uFF11\uFF12<\\STYLE>"), 1, u"", u"",
       12, 0, 0},
      {"empty file: the display is still called", "", 2, u"", u"", 0, 0, 0},
      {"only a style", "<STYLE>3<\\STYLE>", 1, u"", u"", 3, 0, 0},
      {"no tags in 5000 bytes", std::string(5000, 'z'), 1, u"", u"", 0, 0, 0},
      {"only the first 2048 bytes are read",
       Utf16Bytes(u"<TITLE>In<\\TITLE>" + std::u16string(1007, u' ') +
                  u"<BODY>Out<\\BODY>"),
       1, u"In", u"", 0, 0, 0},
      // The read's own boundary: a closing tag whose last unit fills bytes
      // 2046 and 2047 is read, one that fills bytes 2048 and 2049 is not
      // (a read of 2049 bytes or more would find it).
      {"UTF-16 tag ending at byte 2048",
       Utf16Bytes(u"<TITLE>In<\\TITLE>" + std::u16string(991, u' ') +
                  u"<BODY>Out<\\BODY>    "),
       1, u"In", u"Out", 0, 0, 0},
      {"UTF-16 tag ending at byte 2050",
       Utf16Bytes(u"<TITLE>In<\\TITLE>" + std::u16string(992, u' ') +
                  u"<BODY>Out<\\BODY>    "),
       1, u"In", u"", 0, 0, 0},
      // 2048 bytes convert to 2047 units and the terminator: a closing tag
      // ending at byte 2047 is found, one ending at byte 2048 is not.
      {"full 8-bit request, tag ending at byte 2047", FullAnsiRequest(1), 1,
       std::u16string(1023, u'T'), std::u16string(19, u'b'), 0, 0, 0},
      {"full 8-bit request, tag ending at byte 2048", FullAnsiRequest(0), 1,
       std::u16string(1023, u'T'), u"", 0, 0, 0},
      // The first 19 digits, wrapped to 32 bits; 19 blanks leave no digit.
      {"numbers read from their first 19 bytes",
       "<STYLE>1234567890123456789012345<\\STYLE><TIMEDOUT>" +
           std::string(1500, '7') +
           "<\\TIMEDOUT><DEFID>                   5<\\DEFID>",
       // 1234567890123456789 and 7777777777777777777 modulo 2^32.
       1, u"", u"", 2112454933u, 845094001, 0},
  };
  // The display's whole result is the run's.
  for (std::int32_t result : {0, 7, 259, 32000, -1, INT32_MIN, INT32_MAX}) {
    runs.push_back({"the whole result", Utf16Bytes(kEveryField), result,
                    u"Hello", u"World", 4, 10, 6});
  }
  return runs;
}

// Request paths that cannot be opened: the error box shows the path, the
// run returns 0, nothing is deleted and the display is not called. The
// drivers make each path in a scratch folder that holds the request file
// "request.txt" and the folder "a folder".
struct FailedOpen {
  const char* name;
  enum class Path { kMissing, kEmpty, kFolder, kQuotedRequest } path;
};

inline constexpr FailedOpen kFailedOpens[] = {
    {"missing", FailedOpen::Path::kMissing},
    {"empty path", FailedOpen::Path::kEmpty},
    {"a folder", FailedOpen::Path::kFolder},
    {"the request's path in quotes", FailedOpen::Path::kQuotedRequest},
};
