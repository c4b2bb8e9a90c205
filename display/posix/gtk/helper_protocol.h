// What libvorlick.so and its GTK helper program say to each other over the
// socket that joins them: one request from the library, then short reports
// from the helper, one a line.
//
// The helper reports "opened" once it has a display, and "answer N" when the
// box is gone. A helper that ends before "opened" found no display to show
// the box on (or could not start GTK at all): the library tries the terminal
// instead. One that ends after "opened" without an answer lost its display
// under the box, or died: the box could not be shown, the call gives 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorlick {

inline constexpr char kRequestMagic[8] = {'v', 'o', 'r', 'l',
                                          'i', 'c', 'k', '1'};
// Far beyond any text a box can show; a header asking for more is refused.
inline constexpr std::uint32_t kMostUnits = 1u << 24;

// The request's fixed part. The caption's and then the text's UTF-16 units
// follow it as the caller gave them; the helper makes them displayable. The
// helper works out the box's plan from style and defaultId itself, but the
// language is the library's choice: the helper never guesses it again.
struct HelperRequest {
  char magic[8];
  std::uint32_t style;
  std::int32_t defaultId;
  std::int32_t timeoutSeconds;
  std::uint32_t captionUnits;
  std::uint32_t textUnits;
  std::uint32_t reserved;
  std::uint64_t deadlineMs;  // on CLOCK_MONOTONIC, as NowMs(); 0: none
  char language[16];         // LanguageTag() of the box's language
  char program[32];          // the caller's name, for the window's class
};

// Whether a received header can be a request: magic, sizes, terminated
// strings.
bool IsValidRequest(const HelperRequest& request);

// Copies `text` into `field`, cut to fit and terminated.
template <std::size_t N>
void CopyName(const char* text, char (&field)[N]) {
  std::size_t i = 0;
  for (; text != nullptr && text[i] != 0 && i + 1 < N; ++i) field[i] = text[i];
  for (; i < N; ++i) field[i] = 0;
}

inline constexpr char kOpenedReport[] = "opened\n";

// "answer N\n" for `answer`; returns its length.
int FormatAnswer(int answer, char (&line)[24]);

// The library's reading of the helper's reports, as they arrive in pieces.
class ReportReader {
 public:
  void Feed(const char* bytes, std::size_t count);
  bool opened() const { return opened_; }
  bool answered() const { return answered_; }
  int answer() const { return answer_; }

 private:
  void TakeLine();

  char line_[24] = {};
  int length_ = 0;
  bool overlong_ = false;  // the line so far did not fit: it is ignored
  bool opened_ = false;
  bool answered_ = false;
  int answer_ = 0;
};

}  // namespace vorlick
