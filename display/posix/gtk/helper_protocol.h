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

#include "box_plan.h"

namespace vorlick {

inline constexpr char kRequestMagic[8] = {'v', 'o', 'r', 'l',
                                          'i', 'c', 'k', '2'};
// Far beyond any text a box can show; a header asking for more is refused.
inline constexpr std::uint32_t kMostUnits = 1u << 24;

// The box's plan as the library worked it out, in fixed-size fields: the
// helper shows it as it is and decides nothing about the box again.
struct PlanFields {
  std::int32_t buttons[kMaxButtons];  // IDs, left to right
  std::int32_t buttonCount;
  std::int32_t defaultIndex;
  std::int32_t escapeAnswer;
  std::uint32_t icon;      // Icon
  std::uint32_t modality;  // Modality
  std::uint32_t flags;     // kTopmostFlag ... kRightToLeftFlag
};

inline constexpr std::uint32_t kTopmostFlag = 1;
inline constexpr std::uint32_t kSetForegroundFlag = 2;
inline constexpr std::uint32_t kRightAlignedFlag = 4;
inline constexpr std::uint32_t kRightToLeftFlag = 8;

// The request's fixed part. The title's and then the body's UTF-16 units
// follow it as the caller gave them; the helper makes them displayable.
struct HelperRequest {
  char magic[8];
  PlanFields plan;
  std::int32_t timeout;  // the request's seconds; 0: none
  std::uint32_t titleUnits;
  std::uint32_t bodyUnits;
  std::uint32_t reserved;
  std::uint64_t deadlineMs;  // on CLOCK_MONOTONIC, as NowMs(); 0: none
  char language[16];         // LanguageTag() of the plan's language
  char program[32];          // the caller's name, for the window's class
};

// The plan and its language into the request.
void WritePlan(const BoxPlan& plan, HelperRequest& request);

// Whether a received header can be a request: magic, sizes, terminated
// strings, and a plan a box can have (buttons of the box's IDs, the default
// among them, an escape answer that is one of them or 0, known icon,
// modality and flags). Fills `plan` when it is; a language the helper does
// not ship is English.
bool ReadRequest(const HelperRequest& request, BoxPlan& plan);

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
