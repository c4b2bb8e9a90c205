// The request record and the reader that fills it from a request file's
// text.
#pragma once

#include <bit>
#include <cstdint>

#include "request_format.h"

static_assert(std::endian::native == std::endian::little,
              "request files are UTF-16LE and are read in place as char16_t");

using RequestText = char16_t[kRequestTextUnits];

struct MessageRequest {
  char16_t title[kRequestFieldUnits];
  char16_t body[kRequestFieldUnits];
  std::int32_t style;
  std::int32_t timeout;
  std::int32_t defaultId;
};

// Reads the tagged request held in `text` into `request`. `text` holds the
// bytes read from a request file, zero after them; an 8-bit request is
// rewritten in place as UTF-16. Fields whose two tags are not both found keep
// whatever `request` held before.
void ParseRequestText(RequestText& text, MessageRequest& request);
