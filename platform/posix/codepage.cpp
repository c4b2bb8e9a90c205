// MultiByteToWideChar and WideCharToMultiByte for the ANSI code page,
// Windows-1252: one unit for each byte, one byte for each unit.
#include <cstdint>

#include "cp1252.h"
#include "platform_api.h"

namespace {

// Converts `length` units when they fit `capacity`; a capacity of 0 only
// counts them.
template <typename Convert>
int ConvertUnits(int length, int capacity, Convert convert) {
  if (capacity == 0) return length;
  if (length > capacity) return 0;
  for (int i = 0; i < length; ++i) convert(i);
  return length;
}

// Whether the bytes and the units share memory: Windows refuses to convert a
// buffer onto itself, and so do we, so that a caller that tries fails here as
// it would there.
bool Overlap(const char* source, int sourceBytes, const char16_t* target,
             int targetUnits) {
  const auto from = reinterpret_cast<std::uintptr_t>(source);
  const auto to = reinterpret_cast<std::uintptr_t>(target);
  return from < to + sizeof(char16_t) * static_cast<unsigned>(targetUnits) &&
         to < from + static_cast<unsigned>(sourceBytes);
}

// Only the default conversion is done here, which MB_PRECOMPOSED also names
// for bytes to units. Windows refuses flags it does not know and converts
// differently for the others; a caller passing any of them fails here
// rather than get the default in silence.
constexpr DWORD kPrecomposed = 0x1;

}  // namespace

int MultiByteToWideChar(UINT /*codePage*/, DWORD flags, const char* source,
                        int sourceBytes, char16_t* target, int targetUnits) {
  if ((flags & ~kPrecomposed) != 0) return 0;
  if (targetUnits > 0 && Overlap(source, sourceBytes, target, targetUnits)) {
    return 0;
  }
  return ConvertUnits(sourceBytes, targetUnits, [&](int i) {
    target[i] = Cp1252ToUnit(static_cast<unsigned char>(source[i]));
  });
}

int WideCharToMultiByte(UINT /*codePage*/, DWORD flags, const char16_t* source,
                        int sourceUnits, char* target, int targetBytes,
                        const char* /*defaultChar*/,
                        BOOL* /*usedDefaultChar*/) {
  if (flags != 0) return 0;
  return ConvertUnits(sourceUnits, targetBytes,
                      [&](int i) { target[i] = UnitToCp1252(source[i]); });
}
