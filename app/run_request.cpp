#include "run_request.h"

#include "platform_api.h"
#include "vorlick.h"

namespace {

constexpr char16_t kOpenFailure[] = u"Tandrel.exe. Can not open file ";
constexpr char16_t kErrorCaption[] = u"ERROR";

void ShowOpenFailure(const char16_t* requestPath, RequestText& message) {
  FormatOpenFailure(requestPath, message);
  MessageBoxW(nullptr, message, kErrorCaption, MB_ICONERROR);
}

// The same volume and the same file index: one file, for as long as it lives.
bool SameFile(const BY_HANDLE_FILE_INFORMATION& a,
              const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
         a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// Deletes what `requestPath` names only while it is still the file that was
// read. The box may stay up as long as the user takes, and whoever can write
// the request's folder may meanwhile put another file, a link or a link to
// another folder in its place; that must survive. The path is opened again
// without following a link at its end, compared, and deleted through that
// same handle, so what is compared is what is deleted. A name that is gone,
// held without delete sharing or holds another file is left alone.
void DeleteIfStillTheRequest(const char16_t* requestPath,
                             const BY_HANDLE_FILE_INFORMATION& read) {
  HANDLE file = CreateFileW(
      requestPath, DELETE | FILE_READ_ATTRIBUTES,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION found;
  if (GetFileInformationByHandle(file, &found) && SameFile(read, found)) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                               sizeof disposition);
  }
  CloseHandle(file);
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

  const std::int32_t result =
      VorlickShowMessage(nullptr, request.body, request.title,
                         static_cast<std::uint32_t>(request.style),
                         request.timeout, request.defaultId);
  // The file's identity comes from the handle it was read through; the
  // handle is closed before the delete, as it always was. The delete's
  // outcome never changes the result.
  BY_HANDLE_FILE_INFORMATION read;
  const bool known = GetFileInformationByHandle(file, &read) != FALSE;
  CloseHandle(file);
  if (known) DeleteIfStillTheRequest(requestPath, read);
  return result;
}
