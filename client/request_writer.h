// Writes request files that the reader returns unchanged: UTF-16LE, the
// number fields first, then the title, then the body.
//
// The reader takes the first occurrence of every tag and reads at most 2048
// bytes, so a value is refused when the reader would take one of its field's
// tags from somewhere else than where the writer put it:
//   - the title holds "<\TITLE>" (the title would end there), "<BODY>" (the
//     body would start there) or "<\BODY>" (the body would end there);
//   - the body holds "<\BODY>" (it would end there);
//   - the title or the body holds a zero unit (the reader stops at it);
//   - the whole request is over 2048 bytes (1024 units, tags included).
// A title or body with an unpaired surrogate is refused as well: the reader
// keeps it, but it is not text, and no box can show it as it is.
// The numbers always survive: every 32-bit value is written in decimal.
#pragma once

#include <optional>
#include <string>

#include "ask_request.h"
#include "request_format.h"

struct RequestError {
  RequestField field;  // kTitle or kBody
  std::string reason;  // e.g. "holds \"<\\BODY>\", which would end it there"
};

// "title" or "body": the field a RequestError names.
const char* FieldName(RequestField field);

// "title: holds ...": the field's name, then the reason.
std::string Describe(const RequestError& error);

// Why the reader would not return `request` unchanged, or nothing.
std::optional<RequestError> CheckRequest(const AskRequest& request);

// The request file's bytes, without any check: what the writer produces for
// a request that passes CheckRequest.
std::string FormatRequest(const AskRequest& request);

// CheckRequest, then FormatRequest into `bytes` when it passes.
std::optional<RequestError> WriteRequest(const AskRequest& request,
                                         std::string& bytes);
