#include "ask_tool.h"

#include "ask_command.h"
#include "box_names.h"
#include "launch_platform.h"
#include "session.h"
#include "tool_platform.h"
#include "utf8_text.h"

namespace {

// Standard input beyond this is far more than any request can carry.
constexpr std::size_t kInputLimit = 65536;

std::string HelpText() {
  const std::string program = kProgramName;
  const std::string timedOut = std::to_string(kTimedOutExitCode);
  return "Usage: tandrel-ask [OPTIONS] BODY\n"
         "Shows BODY in a message box through " +
         program +
         " and exits with the answer.\n"
         "BODY \"-\" reads UTF-8 text from standard input (without its last"
         " line break).\n"
         "\n"
         "  -t, --title TITLE      the box's title (default: empty)\n"
         "  -b, --buttons SET      ok (default), okcancel, abortretryignore,\n"
         "                         yesnocancel, yesno, retrycancel,"
         " canceltrycontinue\n"
         "  -i, --icon ICON        none (default), error, question, warning,"
         " information\n"
         "  -d, --default BUTTON   the default button: ok, cancel, abort,"
         " retry, ignore,\n"
         "                         yes, no, tryagain, continue, help\n"
         "  -T, --timeout SECONDS  close by itself after SECONDS (default 0:"
         " never)\n"
         "      --help-button      add a Help button\n"
         "      --topmost          keep the box above other windows\n"
         "      --right            right-align the text\n"
         "      --rtl              right-to-left reading order\n"
         "      --style N          the whole MessageBox style number"
         " (overrides -b, -i\n"
         "                         and the four options above)\n"
         "  -p, --print            print the answer: ok, cancel, abort, retry,"
         " ignore,\n"
         "                         yes, no, tryagain, continue, timeout, none\n"
         "      --program PATH     the " +
         program + " to run (default: beside tandrel-ask)\n" + kSessionHelp +
         "      --help             show this help and exit\n"
         "      --version          show the version and exit\n"
         "\n"
         "Exit status: the button chosen (1 OK, 2 Cancel, 3 Abort, 4 Retry,"
         " 5 Ignore,\n"
         "6 Yes, 7 No, 10 Try Again, 11 Continue), " +
         timedOut +
         " time-out, 0 not shown;\n"
         "64 usage error, 65 a value the request cannot carry, 69 the program"
         " cannot\n"
         "be started, 73 the request file cannot be created, 74 standard"
         " input cannot\n"
         "be read, 77 no permission to show it in another session.\n";
}

// --print's words for the answers.
std::string AnswerName(const AskOutcome& outcome) {
  if (outcome.status == AskStatus::kTimedOut) return "timeout";
  if (outcome.status != AskStatus::kAnswered) return "none";
  const std::int32_t id = outcome.buttonId;
  const char* name = NameOf(kButtonNames, static_cast<std::uint32_t>(id));
  // Help never answers; any other ID is not a button a box has: say what it
  // was.
  if (name != nullptr && id != vorlick::kIdHelp) return name;
  return std::to_string(id);
}

int Fail(int status, const std::string& message) {
  WriteStandardError("tandrel-ask: " + message + "\n");
  return status;
}

// The body from standard input, without the line break that ends it.
int ReadBody(AskCommand& command) {
  std::string bytes;
  std::string error;
  if (!ReadStandardInput(bytes, kInputLimit, error)) {
    return Fail(kExitIoError, "cannot read standard input: " + error);
  }
  if (bytes.size() > kInputLimit) {
    return Fail(kExitDataError, "body: more than " +
                                    std::to_string(kInputLimit) +
                                    " bytes, far more than a request holds");
  }
  if (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
  if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
  if (!DecodeUtf8(bytes, command.request.body, error)) {
    return Fail(kExitDataError, "body: " + error);
  }
  return 0;
}

int Finish(const AskOutcome& outcome, const std::string& name, bool print) {
  switch (outcome.status) {
    case AskStatus::kRequestRefused:
      return Fail(kExitDataError, outcome.detail);
    case AskStatus::kNoRequestFile:
      return Fail(kExitCannotCreate, outcome.detail);
    case AskStatus::kProgramMissing:
    case AskStatus::kProgramFailed:
      return Fail(kExitUnavailable, name + " " + outcome.detail);
    case AskStatus::kNotPermitted:
      return Fail(kExitNoPermission, outcome.detail);
    case AskStatus::kNoSessionManager:
      return Fail(kExitUnavailable, outcome.detail);
    case AskStatus::kRequestUnreadable:
      WriteStandardError("tandrel-ask: " + name + " " + outcome.detail + "\n");
      break;
    case AskStatus::kNoSession:
      WriteStandardError("tandrel-ask: " + outcome.detail + "\n");
      break;
    default:
      break;
  }
  if (print) WriteStandardOutput(AnswerName(outcome) + "\n");
  // The program's own code: the button, the time-out's code or 0.
  return static_cast<int>(outcome.exitCode);
}

}  // namespace

int RunAskTool(const std::vector<std::string>& args) {
  AskCommand command;
  if (std::optional<CommandError> error = ParseAskCommand(args, command)) {
    return Fail(error->status, error->message);
  }
  if (command.action == AskCommand::Action::kHelp) {
    WriteStandardOutput(HelpText());
    return 0;
  }
  if (command.action == AskCommand::Action::kVersion) {
    WriteStandardOutput("tandrel-ask (Tandrel) " TANDREL_VERSION "\n");
    return 0;
  }
  if (command.bodyFromInput) {
    if (int status = ReadBody(command); status != 0) return status;
  }
  const std::string program =
      command.program ? *command.program : DefaultProgram();
  if (program.empty()) {
    return Fail(kExitUnavailable, std::string("cannot find the ") +
                                      kProgramName +
                                      " beside tandrel-ask; name it with "
                                      "--program");
  }
  const AskOutcome outcome =
      command.session ? AskInSession(program, command.request, *command.session,
                                     GuardSignals())
                      : Ask(program, command.request, GuardSignals());
  // Interrupted: the program has been told as well, and the request file is
  // gone; tandrel-ask ends the way the signal asked.
  RaiseGuardedSignal();
  return Finish(outcome, program, command.print);
}
