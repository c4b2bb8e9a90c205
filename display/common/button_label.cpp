#include "button_label.h"

#include "box_style.h"

namespace vorlick {
namespace {

struct Entry {
  int id;
  ButtonLabel label;
};

constexpr Entry kLabels[] = {
    {kIdOk, {"OK", 0, false}},
    {kIdCancel, {"Cancel", 0, false}},
    {kIdAbort, {"Abort", 0, true}},
    {kIdRetry, {"Retry", 0, true}},
    {kIdIgnore, {"Ignore", 0, true}},
    {kIdYes, {"Yes", 0, true}},
    {kIdNo, {"No", 0, true}},
    {kIdHelp, {"Help", 0, false}},
    {kIdTryAgain, {"Try Again", 0, true}},
    {kIdContinue, {"Continue", 0, true}},
};

template <typename Unit>
int Mark(const char* text, int accessKey, Unit mark, Unit (&out)[kLabelUnits]) {
  int length = 0;
  for (int i = 0; text[i] != 0; ++i) {
    const int units = i == accessKey ? 2 : 1;
    if (length + units >= kLabelUnits) break;
    if (i == accessKey) out[length++] = mark;
    out[length++] = static_cast<Unit>(text[i]);
  }
  out[length] = 0;
  return length;
}

}  // namespace

ButtonLabel LabelOf(int buttonId) {
  for (const Entry& entry : kLabels) {
    if (entry.id == buttonId) return entry.label;
  }
  return {"", -1, false};
}

int MarkLabel(const char* text, int accessKey, char mark,
              char (&out)[kLabelUnits]) {
  return Mark(text, accessKey, mark, out);
}

int MarkLabel(const char* text, int accessKey, char16_t mark,
              char16_t (&out)[kLabelUnits]) {
  return Mark(text, accessKey, mark, out);
}

}  // namespace vorlick
