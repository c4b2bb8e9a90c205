#include "command_line.h"

#include "utf8.h"

namespace {

char16_t commandLine[kCommandLineUnits];

// Appends `text` at `length`; keeps what fits and stays terminated.
void Append(const char* text, int& length) {
  const int room = kCommandLineUnits - length;
  if (room <= 1) return;
  const int added = Utf8ToUtf16(text, commandLine + length, room);
  if (added < 0) {
    while (commandLine[length] != 0) ++length;
  } else {
    length += added;
  }
}

}  // namespace

const char16_t* CommandLineFromArgs(int argc, const char* const* argv) {
  int length = 0;
  commandLine[0] = 0;
  Append("\"tandrel\"", length);
  for (int i = 1; i < argc; ++i) {
    Append(" ", length);
    Append(argv[i], length);
  }
  return commandLine;
}
