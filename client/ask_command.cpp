#include "ask_command.h"

#include <cstdint>
#include <string_view>

#include "box_names.h"
#include "decimal.h"
#include "utf8_text.h"

namespace {

// The options that take a value come first, up to kProgram; flags follow.
enum class Option {
  kTitle,
  kButtons,
  kIcon,
  kDefault,
  kTimeout,
  kStyle,
  kUser,
  kProgram,
  kHelpButton,
  kTopmost,
  kRight,
  kRtl,
  kPrint,
  kHelp,
  kVersion,
  kSession
};

struct OptionName {
  const char* longName;
  Option option;
  char shortName;  // 0: long only
};

constexpr OptionName kOptions[] = {
    {"title", Option::kTitle, 't'},     {"buttons", Option::kButtons, 'b'},
    {"icon", Option::kIcon, 'i'},       {"default", Option::kDefault, 'd'},
    {"timeout", Option::kTimeout, 'T'}, {"style", Option::kStyle, 0},
    {"program", Option::kProgram, 0},   {"help-button", Option::kHelpButton, 0},
    {"topmost", Option::kTopmost, 0},   {"right", Option::kRight, 0},
    {"rtl", Option::kRtl, 0},           {"print", Option::kPrint, 'p'},
    {"help", Option::kHelp, 0},         {"version", Option::kVersion, 0},
    {"session", Option::kSession, 0},   {"user", Option::kUser, 0}};

bool TakesValue(Option option) { return option <= Option::kProgram; }

std::uint32_t StyleBit(Option option) {
  switch (option) {
    case Option::kHelpButton:
      return vorlick::kMbHelp;
    case Option::kTopmost:
      return vorlick::kMbTopmost;
    case Option::kRight:
      return vorlick::kMbRight;
    case Option::kRtl:
      return vorlick::kMbRtlReading;
    default:
      return 0;
  }
}

constexpr std::uint32_t kMostSeconds = 0x7FFFFFFF;
constexpr std::uint32_t kMostStyle = 0xFFFFFFFF;

CommandError Usage(const std::string& message) {
  return {kExitUsage, message + " (see --help)"};
}

bool SameName(std::string_view given, std::string_view name) {
  if (given.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = given[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != name[i]) return false;
  }
  return true;
}

template <std::size_t N>
std::optional<CommandError> Lookup(const char* option, const std::string& value,
                                   const BoxName (&names)[N],
                                   std::uint32_t& result) {
  std::string known;
  for (const BoxName& entry : names) {
    if (SameName(value, entry.name)) {
      result = entry.value;
      return std::nullopt;
    }
    known += known.empty() ? entry.name : std::string(", ") + entry.name;
  }
  return Usage(std::string("--") + option + ": '" + value + "' is none of " +
               known);
}

std::optional<CommandError> Number(const char* option, const std::string& value,
                                   std::uint32_t most, std::uint32_t& result) {
  const decimal::Digits digits =
      decimal::ReadDigits(value.data(), value.size());
  const std::uint64_t number = digits.value;
  if (digits.count == 0 || digits.count != value.size()) {
    return Usage(std::string("--") + option + ": '" + value +
                 "' is not a whole number");
  }
  if (number > most) {
    return CommandError{kExitDataError, std::string("--") + option + ": " +
                                            value +
                                            " is more than a request "
                                            "can carry (at most " +
                                            std::to_string(most) + ")"};
  }
  result = static_cast<std::uint32_t>(number);
  return std::nullopt;
}

// What the options say, put together into the request once all are read.
struct Reading {
  explicit Reading(AskCommand& target) : command(target) {}

  AskCommand& command;
  std::uint32_t buttons = 0;
  std::uint32_t icon = 0;
  std::uint32_t bits = 0;
  std::optional<std::uint32_t> style;
  std::vector<std::string> operands;

  std::optional<CommandError> Apply(Option option, const std::string& value) {
    return TakesValue(option) ? ApplyValue(option, value) : ApplyFlag(option);
  }

  std::optional<CommandError> ApplyValue(Option option,
                                         const std::string& value) {
    std::uint32_t number = 0;
    std::optional<CommandError> error;
    switch (option) {
      case Option::kTitle: {
        std::string why;
        if (DecodeUtf8(value, command.request.title, why)) return std::nullopt;
        return CommandError{kExitDataError, "title: " + why};
      }
      case Option::kButtons:
        return Lookup("buttons", value, kButtonSetNames, buttons);
      case Option::kIcon:
        return Lookup("icon", value, kIconNames, icon);
      case Option::kDefault:
        error = Lookup("default", value, kButtonNames, number);
        command.request.defaultId = static_cast<std::int32_t>(number);
        return error;
      case Option::kTimeout:
        error = Number("timeout", value, kMostSeconds, number);
        command.request.timeout = static_cast<std::int32_t>(number);
        return error;
      case Option::kStyle:
        return Number("style", value, kMostStyle, style.emplace());
      case Option::kUser:
        if (value.empty()) return Usage("option '--user' needs a user name");
        Target().user = value;
        return std::nullopt;
      default:
        command.program = value;
        return std::nullopt;
    }
  }

  std::optional<CommandError> ApplyFlag(Option option) {
    if (option == Option::kPrint) command.print = true;
    if (option == Option::kHelp) command.action = AskCommand::Action::kHelp;
    if (option == Option::kVersion) {
      command.action = AskCommand::Action::kVersion;
    }
    if (option == Option::kSession) Target();
    bits |= StyleBit(option);
    return std::nullopt;
  }

  SessionTarget& Target() {
    if (!command.session) command.session.emplace();
    return *command.session;
  }

  std::optional<CommandError> SessionId(const std::string& id) {
    if (id.empty()) return Usage("option '--session=' needs a session ID");
    Target().id = id;
    return std::nullopt;
  }
};

const OptionName* FindLong(std::string_view name) {
  for (const OptionName& known : kOptions) {
    if (name == known.longName) return &known;
  }
  return nullptr;
}

const OptionName* FindShort(char name) {
  for (const OptionName& known : kOptions) {
    if (known.shortName != 0 && name == known.shortName) return &known;
  }
  return nullptr;
}

// "--name", "--name=value" or "--name value".
std::optional<CommandError> ReadLong(const std::vector<std::string>& args,
                                     std::size_t& at, Reading& reading) {
  const std::string& arg = args[at];
  const std::size_t equals = arg.find('=');
  const std::string name = arg.substr(
      2, equals == std::string::npos ? std::string::npos : equals - 2);
  const OptionName* known = FindLong(name);
  if (known == nullptr) return Usage("unknown option '--" + name + "'");
  if (!TakesValue(known->option)) {
    // --session=ID: a flag whose value comes with "=" only, so that the
    // TEXT after a --session is never taken for its ID.
    if (equals != std::string::npos && known->option == Option::kSession) {
      return reading.SessionId(arg.substr(equals + 1));
    }
    if (equals != std::string::npos) {
      return Usage("option '--" + name + "' takes no value");
    }
    return reading.Apply(known->option, "");
  }
  if (equals != std::string::npos) {
    return reading.Apply(known->option, arg.substr(equals + 1));
  }
  if (++at == args.size()) {
    return Usage("option '--" + name + "' needs a value");
  }
  return reading.Apply(known->option, args[at]);
}

// "-p", "-pt TITLE", "-tTITLE": flags may be grouped; an option with a value
// takes the rest of the group or else the next argument.
std::optional<CommandError> ReadShort(const std::vector<std::string>& args,
                                      std::size_t& at, Reading& reading) {
  const std::string& arg = args[at];
  for (std::size_t i = 1; i < arg.size(); ++i) {
    const OptionName* known = FindShort(arg[i]);
    if (known == nullptr) {
      return Usage(std::string("unknown option '-") + arg[i] + "'");
    }
    if (!TakesValue(known->option)) {
      if (auto error = reading.Apply(known->option, "")) return error;
      continue;
    }
    if (i + 1 < arg.size())
      return reading.Apply(known->option, arg.substr(i + 1));
    if (++at == args.size()) {
      return Usage(std::string("option '-") + arg[i] + "' needs a value");
    }
    return reading.Apply(known->option, args[at]);
  }
  return std::nullopt;
}

}  // namespace

std::optional<CommandError> ParseAskCommand(
    const std::vector<std::string>& args, AskCommand& command) {
  Reading reading{command};
  bool optionsEnded = false;
  for (std::size_t at = 0; at < args.size(); ++at) {
    const std::string& arg = args[at];
    std::optional<CommandError> error;
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      reading.operands.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg[1] == '-') {
      error = ReadLong(args, at, reading);
    } else {
      error = ReadShort(args, at, reading);
    }
    if (error) return error;
    // --help and --version act when they come, as with getopt.
    if (command.action != AskCommand::Action::kAsk) return std::nullopt;
  }
  if (command.session && !command.session->id.empty() &&
      !command.session->user.empty()) {
    return Usage("--session=ID and --user each name a session: give one");
  }
  if (reading.operands.empty()) return Usage("BODY is missing");
  if (reading.operands.size() > 1) {
    return Usage("unexpected argument '" + reading.operands[1] +
                 "' (BODY is one argument)");
  }
  const std::uint32_t style =
      reading.style ? *reading.style
                    : reading.buttons | reading.icon | reading.bits;
  command.request.style = static_cast<std::int32_t>(style);
  command.bodyFromInput = reading.operands[0] == "-";
  if (command.bodyFromInput) return std::nullopt;
  std::string error;
  if (!DecodeUtf8(reading.operands[0], command.request.body, error)) {
    return CommandError{kExitDataError, "body: " + error};
  }
  return std::nullopt;
}
