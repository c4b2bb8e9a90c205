// A stand-in libvorlick.so for the tests of the caller's kit: it records the
// values tandrel hands it and the arguments tandrel was started with, and
// returns the result the test chose, showing no box.
//   VORLICK_RECORD  the file the record is written to
//   VORLICK_RESULT  the decimal result (default 1)
//   VORLICK_HOLD    seconds to wait after recording, before returning
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "recording.h"
#include "vorlick.h"

namespace {

std::string Units(const char16_t* text) {
  std::string hex;
  for (; text != nullptr && *text != 0; ++text) {
    hex += HexBytes(std::string{static_cast<char>(*text >> 8),
                                static_cast<char>(*text & 0xFF)});
  }
  return hex;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int VorlickShowMessage(
    void* /*owner*/, const char16_t* body, const char16_t* title,
    std::uint32_t style, std::int32_t timeout, std::int32_t defaultId) {
  if (const char* path = std::getenv("VORLICK_RECORD")) {
    std::ofstream record(path);
    record << "style " << style << "\ntimeout " << timeout << "\ndefault "
           << defaultId << "\ntitle " << Units(title) << "\nbody "
           << Units(body) << "\n";
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string line{std::istreambuf_iterator<char>(file), {}};
    std::string request;
    for (std::size_t at = 0; at < line.size();) {
      const std::size_t end = line.find('\0', at);
      request = line.substr(at, end - at);
      record << "arg " << HexBytes(request) << "\n";
      at = end + 1;
    }
    struct stat status {};
    stat(request.c_str(), &status);
    record << "mode " << std::oct << (status.st_mode & 07777) << "\n";
  }
  if (const char* hold = std::getenv("VORLICK_HOLD")) sleep(std::atoi(hold));
  const char* result = std::getenv("VORLICK_RESULT");
  return result != nullptr ? std::atoi(result) : 1;
}
