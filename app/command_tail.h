// Forming the command tail: what follows the program's name on its command
// line, which the program takes verbatim as the request file's path.
#pragma once

// Returns a pointer into `commandLine` at the start of its tail (possibly at
// the terminator). A name in double quotes runs to the next double quote or to
// the end of the line; an unquoted name runs to the first unit of 32 or less.
// Blanks and control units (1 to 32) after the name are skipped; everything
// after them stays, quotes and trailing blanks included.
const char16_t* CommandTail(const char16_t* commandLine);
