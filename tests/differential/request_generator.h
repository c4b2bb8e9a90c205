// Random and mutated request files for the differential test: the same seed
// gives the same files on every system, so the native and the Windows side
// can talk about the same case by its number.
#pragma once

#include <cstdint>
#include <string>

// The bytes of request file number `index` of the set made from `seed`: both
// encodings, tags in random order, nested, repeated, cut or missing, numbers
// with blanks, signs, overflow and units that best-fit to digits, non-ASCII
// text and files at and beyond the 2048 bytes the run reads.
std::string MakeRequestFile(std::uint64_t seed, int index);
