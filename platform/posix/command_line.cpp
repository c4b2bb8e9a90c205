#include "command_line.h"

#include "platform_api.h"
#include "utf8.h"

namespace {

char16_t commandLine[kCommandLineUnits];

// Appends `text` at `length`; keeps what fits and stays terminated.
void Append(const char* text, int& length) {
  int room = kCommandLineUnits - length;
  if (room <= 1) return;
  int added = Utf8ToUtf16(text, commandLine + length, room);
  if (added < 0) {
    while (commandLine[length] != 0) ++length;
  } else {
    length += added;
  }
}

}  // namespace

void SetCommandLineArgs(int argc, const char* const* argv) {
  int length = 0;
  commandLine[0] = 0;
  Append("\"", length);
  Append(argc > 0 && argv[0] != nullptr ? argv[0] : "", length);
  Append("\"", length);
  for (int i = 1; i < argc; ++i) {
    Append(" ", length);
    Append(argv[i], length);
  }
}

const char16_t* GetCommandLineW() { return commandLine; }
