// The record the test display library appends for every call it receives:
// this header, then the body and the title, each as a 32-bit unit count
// followed by that many UTF-16 units (no terminator).
#pragma once

#include <cstdint>

inline constexpr std::uint32_t kRecordMagic = 0x43455256;  // "VREC"
inline constexpr std::uint32_t kProbeNotAsked = 0xFFFFFFFFu;

struct RecordHeader {
  std::uint32_t magic;
  std::uint32_t owner;
  std::uint32_t style;
  std::int32_t timeout;
  std::int32_t defaultId;
  std::uint32_t probeError;  // error of the exclusive open, 0 if it opened
};
