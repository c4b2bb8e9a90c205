#include "run_request.h"

#include "platform_api.h"

namespace {

constexpr char16_t kOpenFailure[] = u"Tandrel.exe. Can not open file ";
constexpr char16_t kErrorCaption[] = u"ERROR";

void ShowOpenFailure(const char16_t* requestPath, RequestText& message) {
  FormatOpenFailure(requestPath, message);
  MessageBoxW(nullptr, message, kErrorCaption, MB_ICONERROR);
}

}  // namespace

void FormatOpenFailure(const char16_t* requestPath, RequestText& message) {
  int length = 0;
  for (const char16_t* p = kOpenFailure; *p != 0; ++p) message[length++] = *p;
  constexpr int kLast = kRequestTextUnits - 1;
  for (const char16_t* p = requestPath; *p != 0 && length < kLast; ++p) {
    message[length++] = *p;
  }
  message[length] = 0;
}

std::int32_t RunRequest(const char16_t* requestPath) {
  // The buffer must be zero after the bytes read: the reader relies on it to
  // find the end of the text in either encoding.
  RequestText text{};

  HANDLE file =
      CreateFileW(requestPath, GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ShowOpenFailure(requestPath, text);
    return 0;
  }

  DWORD bytesRead = 0;
  if (!ReadFile(file, text, kRequestFileBytes, &bytesRead, nullptr)) {
    // A request that cannot be read was never received: showing an empty box
    // would hand its result back as the answer, and deleting the file would
    // lose the request. The run ends as when the file cannot be opened.
    CloseHandle(file);
    ShowOpenFailure(requestPath, text);
    return 0;
  }

  // A field the request lacks reaches the display as an empty text or 0.
  MessageRequest request{};
  ParseRequestText(text, request);

  const std::int32_t result = VorlickShowMessage(
      nullptr, request.body, request.title, static_cast<UINT>(request.style),
      request.timeout, request.defaultId);
  CloseHandle(file);
  DeleteFileW(requestPath);
  return result;
}
