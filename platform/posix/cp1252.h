// Windows-1252, the code page that stands for the ANSI code page on POSIX
// systems, so that 8-bit request files read the same everywhere.
#pragma once

// The UTF-16 unit for an 8-bit character. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same code point.
char16_t Cp1252ToUnit(unsigned char byte);

// The 8-bit character for a UTF-16 unit: its own byte where the code page has
// it, otherwise the platform's best-fit character (U+FF11 FULLWIDTH DIGIT ONE
// gives "1"), otherwise `defaultChar`. `usedDefault` is set when the default
// was taken. Each unit converts on its own, so a surrogate pair gives two.
char UnitToCp1252(char16_t unit, char defaultChar, bool& usedDefault);
