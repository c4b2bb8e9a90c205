// A program of a user of Tandrel's kit: refuses a title the request cannot
// carry, then asks through the tandrel named on its command line with a
// time-out of one second and prints what came of both.
//   consumer PROGRAM
#include <tandrel/launcher.h>
#include <tandrel/request_writer.h>

#include <cstdio>

namespace {

const char* StatusName(AskStatus status) {
  switch (status) {
    case AskStatus::kAnswered:
      return "answered";
    case AskStatus::kTimedOut:
      return "timed out";
    case AskStatus::kNotShown:
      return "not shown";
    case AskStatus::kRequestRefused:
      return "refused";
    default:
      return "failed";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 64;
  const AskRequest refused{u"a <\\TITLE> in it", u"", 0, 0, 0};
  std::string bytes;
  const std::optional<RequestError> error = WriteRequest(refused, bytes);
  std::printf("refused: %s\n", error ? Describe(*error).c_str() : "no");
  std::printf("asked refused: %s\n", StatusName(Ask(argv[1], refused).status));

  // MB_YESNO | MB_ICONQUESTION, No the default.
  const AskRequest request{u"Consumer", u"Gr\u00fc\u00dfe \u2713", 36, 1, 7};
  const AskOutcome outcome = Ask(argv[1], request);
  std::printf("asked: %s, exit code %u%s%s\n", StatusName(outcome.status),
              static_cast<unsigned>(outcome.exitCode),
              outcome.detail.empty() ? "" : ": ", outcome.detail.c_str());
  return 0;
}
