// Fuzzes the forming of the command tail with arbitrary command lines: the
// input's bytes as UTF-16LE units, terminated after them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "command_tail.h"
#include "fuzz_check.h"

namespace {

bool Blank(char16_t unit) { return unit >= 1 && unit <= 32; }

// Where the name ends, by the entry rules, written as plainly as possible.
std::size_t NameEnd(const std::u16string& line) {
  if (!line.empty() && line[0] == u'"') {
    std::size_t quote = line.find(u'"', 1);
    return quote == std::u16string::npos ? line.size() : quote + 1;
  }
  std::size_t at = 0;
  while (at < line.size() && line[at] > 32) ++at;
  return at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * 2);
  // The line ends at its first zero unit, as a command line does.
  const std::u16string line = units.substr(0, units.find(u'\0'));

  const char16_t* tail = CommandTail(units.c_str());
  FUZZ_CHECK(tail >= units.c_str());
  FUZZ_CHECK(tail <= units.c_str() + line.size());
  const std::size_t at = static_cast<std::size_t>(tail - units.c_str());

  std::size_t expected = NameEnd(line);
  while (expected < line.size() && Blank(line[expected])) ++expected;
  FUZZ_CHECK(at == expected);
  // A suffix of the line, starting at its end or at a unit above 32.
  FUZZ_CHECK(std::u16string(tail) == line.substr(at));
  FUZZ_CHECK(at == line.size() || line[at] > 32);
  return 0;
}
