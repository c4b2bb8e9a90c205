// Windows-1252, the code page that stands for the ANSI code page on POSIX
// systems, so that 8-bit request files read the same everywhere.
#pragma once

// 0x80 to 0x9F, where Windows-1252 departs from Latin-1. The five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same
// code point, as on Windows.
inline constexpr char16_t kCp1252HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct Cp1252Table {
  char16_t units[256];
};

inline constexpr Cp1252Table kCp1252 = [] {
  Cp1252Table table{};
  for (int byte = 0; byte < 256; ++byte) {
    table.units[byte] = byte >= 0x80 && byte <= 0x9F
                            ? kCp1252HighControls[byte - 0x80]
                            : static_cast<char16_t>(byte);
  }
  return table;
}();

// The UTF-16 unit for an 8-bit character; a table look-up, inline, as the
// reader converts whole requests byte by byte.
inline char16_t Cp1252ToUnit(unsigned char byte) { return kCp1252.units[byte]; }

// The 8-bit character for a UTF-16 unit: its own byte where the code page has
// it, otherwise the platform's best-fit character (U+FF11 FULLWIDTH DIGIT ONE
// gives "1"), otherwise "?", Windows' default. Each unit converts on its own,
// so a surrogate pair gives two.
char UnitToCp1252(char16_t unit);
