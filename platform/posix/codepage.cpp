// MultiByteToWideChar and WideCharToMultiByte for the ANSI code page, with
// Windows' contract: a length of -1 takes the text through its terminator and
// counts it; a capacity of 0 asks for the size; output that does not fit
// fills the capacity, then fails with ERROR_INSUFFICIENT_BUFFER.
#include "cp1252.h"
#include "last_error.h"
#include "platform_api.h"

namespace {

constexpr UINT kWindows1252 = 1252;

bool CheckArguments(UINT codePage, DWORD flags, const void* source,
                    int sourceLength, const void* target, int capacity) {
  if (codePage != CP_ACP && codePage != kWindows1252) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (flags != 0) {
    SetLastError(ERROR_INVALID_FLAGS);
    return false;
  }
  if (source == nullptr || sourceLength == 0 || sourceLength < -1 ||
      capacity < 0 || (capacity > 0 && target == nullptr) ||
      (capacity > 0 && source == target)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

template <typename Unit>
int LengthOf(const Unit* source, int sourceLength) {
  if (sourceLength != -1) return sourceLength;
  int length = 0;
  while (source[length] != 0) ++length;
  return length + 1;  // the terminator is converted and counted
}

// Both conversions make exactly one output unit of each input unit.
template <typename Convert>
int ConvertUnits(int length, int capacity, Convert convert) {
  if (capacity == 0) return length;
  int count = length <= capacity ? length : capacity;
  for (int i = 0; i < count; ++i) convert(i);
  if (length > capacity) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  return length;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* source,
                        int sourceBytes, char16_t* target, int targetUnits) {
  if (!CheckArguments(codePage, flags, source, sourceBytes, target,
                      targetUnits)) {
    return 0;
  }
  int length = LengthOf(source, sourceBytes);
  return ConvertUnits(length, targetUnits, [&](int i) {
    target[i] = Cp1252ToUnit(static_cast<unsigned char>(source[i]));
  });
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* source,
                        int sourceUnits, char* target, int targetBytes,
                        const char* defaultChar, BOOL* usedDefaultChar) {
  if (!CheckArguments(codePage, flags, source, sourceUnits, target,
                      targetBytes)) {
    return 0;
  }
  const char fallback = defaultChar != nullptr ? *defaultChar : '?';
  bool usedDefault = false;
  int length = LengthOf(source, sourceUnits);
  int result = ConvertUnits(length, targetBytes, [&](int i) {
    target[i] = UnitToCp1252(source[i], fallback, usedDefault);
  });
  if (targetBytes == 0) {
    // Asking for the size still tells whether the default would be needed.
    for (int i = 0; i < length; ++i)
      UnitToCp1252(source[i], fallback, usedDefault);
  }
  if (usedDefaultChar != nullptr) *usedDefaultChar = usedDefault ? TRUE : FALSE;
  return result;
}
