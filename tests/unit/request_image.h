// Request text buffers built the way the run fills them: the bytes of a
// request file at the start, zero after them.
#pragma once

#include <cstring>
#include <string>

#include "message_request.h"

// UTF-16LE bytes of `text`, as a UTF-16 request file holds them.
inline std::string Utf16Bytes(const std::u16string& text) {
  std::string bytes(text.size() * 2, '\0');
  std::memcpy(bytes.data(), text.data(), bytes.size());
  return bytes;
}

// Fills `buffer` with at most the first 2048 bytes of `file`, zero after.
inline void LoadRequest(RequestText& buffer, const std::string& file) {
  std::memset(buffer, 0, sizeof buffer);
  std::size_t size = file.size() < static_cast<std::size_t>(kRequestFileBytes)
                         ? file.size()
                         : static_cast<std::size_t>(kRequestFileBytes);
  std::memcpy(buffer, file.data(), size);
}

// A record whose every field holds a recognisable value, so that a field the
// reader must not write can be told from one it wrote.
inline MessageRequest SentinelRequest() {
  MessageRequest request;
  for (char16_t& unit : request.title) unit = u'S';
  for (char16_t& unit : request.body) unit = u'S';
  request.title[kRequestFieldUnits - 1] = 0;
  request.body[kRequestFieldUnits - 1] = 0;
  request.style = 0x5A5A5A5A;
  request.timeout = 0x5A5A5A5A;
  request.defaultId = 0x5A5A5A5A;
  return request;
}

inline std::u16string SentinelText() {
  return std::u16string(kRequestFieldUnits - 1, u'S');
}
inline constexpr std::int32_t kSentinelNumber = 0x5A5A5A5A;
