// Shows one box from the command line and prints its result, for looking at
// the boxes by hand and for the screenshot:
//   vorlick_demo STYLE TIMEOUT DEFAULT_ID CAPTION TEXT
// STYLE may be hex (0x24). Line breaks in TEXT are written as \n.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "unicode.h"
#include "vorlick.h"

namespace {

std::u16string ToUtf16(const std::string& utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\\' && i + 1 < utf8.size() && utf8[i + 1] == 'n') {
      out += u'\n';
      ++i;
      continue;
    }
    char32_t code = 0;
    i +=
        unicode::ReadUtf8OrReplacement(utf8.data() + i, utf8.size() - i, code) -
        1;
    unicode::Append(code, out);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s STYLE TIMEOUT DEFAULT_ID CAPTION TEXT\n",
                 argv[0]);
    return 2;
  }
  const auto style = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 0));
  const int timeout = std::atoi(argv[2]);
  const int defaultId = std::atoi(argv[3]);
  const std::u16string caption = ToUtf16(argv[4]);
  const std::u16string text = ToUtf16(argv[5]);
  const int result = VorlickShowMessage(nullptr, text.c_str(), caption.c_str(),
                                        style, timeout, defaultId);
  std::printf("%d\n", result);
  return 0;
}
