// UTF-8 at the kit's edges: arguments, standard input and messages.
#pragma once

#include <string>
#include <string_view>

// Decodes UTF-8 into `text`. A surrogate encoded on its own (as Windows
// arguments can hold one) becomes that unit, so the request writer can name
// it. Returns false, with `error` saying where, on anything else that is not
// UTF-8.
bool DecodeUtf8(std::string_view bytes, std::u16string& text,
                std::string& error);

// Encodes UTF-16 as UTF-8; an unpaired surrogate keeps its three bytes.
std::string EncodeUtf8(std::u16string_view text);
