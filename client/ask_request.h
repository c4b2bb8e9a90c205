// What a caller asks Tandrel to show: the five values of a request file.
#pragma once

#include <cstdint>
#include <string>

struct AskRequest {
  std::u16string title;
  std::u16string body;
  std::int32_t style = 0;      // a MessageBox style
  std::int32_t timeout = 0;    // seconds; 0: no time-out
  std::int32_t defaultId = 0;  // the default button's ID; 0: the style's own
};
