#include "launcher.h"

#include "launch_platform.h"
#include "request_writer.h"

// Only a completed run deletes the request file: a file still there means
// the program never got as far as the box, whatever its exit code.
AskOutcome Classify(const ProgramRun& run, bool requestRemains) {
  AskOutcome outcome;
  outcome.exitCode = run.exitCode;
  outcome.signal = run.signal;
  auto fail = [&outcome](AskStatus status, std::string detail) {
    outcome.status = status;
    outcome.detail = std::move(detail);
    return outcome;
  };
  if (!run.started) {
    return fail(AskStatus::kProgramMissing, "cannot be started: " + run.error);
  }
  if (!run.waited) {
    return fail(AskStatus::kProgramFailed, "cannot be awaited: " + run.error);
  }
  if (run.signal != 0) {
    return fail(AskStatus::kProgramFailed,
                "was ended by signal " + std::to_string(run.signal));
  }
  if (!requestRemains) {
    outcome.status = run.exitCode == 0                   ? AskStatus::kNotShown
                     : run.exitCode == kTimedOutExitCode ? AskStatus::kTimedOut
                                                         : AskStatus::kAnswered;
    if (outcome.status == AskStatus::kAnswered) {
      outcome.buttonId = static_cast<std::int32_t>(run.exitCode);
    }
    return outcome;
  }
  if (run.exitCode == 0) {
    return fail(AskStatus::kRequestUnreadable,
                "could not read the request file");
  }
  if (run.exitCode == kNoLibraryExitCode) {
    return fail(AskStatus::kProgramMissing,
                "did not start: its display library is missing");
  }
  return fail(AskStatus::kProgramFailed, "ended with exit code " +
                                             std::to_string(run.exitCode) +
                                             " without running the request");
}

AskOutcome Ask(const std::string& program, const AskRequest& request,
               const StartedHook& started) {
  AskOutcome outcome;
  std::string bytes;
  if (std::optional<RequestError> error = WriteRequest(request, bytes)) {
    outcome.status = AskStatus::kRequestRefused;
    outcome.detail = Describe(*error);
    return outcome;
  }
  std::string path;
  if (!CreateRequestFile(bytes, path, outcome.detail)) {
    outcome.status = AskStatus::kNoRequestFile;
    return outcome;
  }
  const ProgramRun run = RunProgram(program, path, started);
  const bool remains = FileExists(path);
  outcome = Classify(run, remains);
  if (remains) RemoveFile(path);
  return outcome;
}
