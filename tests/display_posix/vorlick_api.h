// The library's one function, as its callers declare it.
#pragma once

extern "C" int VorlickShowMessage(void* owner, const char16_t* text,
                                  const char16_t* caption, unsigned int style,
                                  int timeout, int defaultId);
