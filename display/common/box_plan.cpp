#include "box_plan.h"

namespace vorlick {
namespace {

constexpr std::uint32_t kIconMask = 0x000F0;
constexpr std::uint32_t kDefaultMask = 0x00F00;
constexpr std::uint32_t kModeMask = 0x03000;

constexpr int kShowableSets = 7;

// The buttons of each set, in the order MessageBoxW places them.
constexpr ButtonRow kSets[kShowableSets] = {
    {{kIdOk}, 1},
    {{kIdOk, kIdCancel}, 2},
    {{kIdAbort, kIdRetry, kIdIgnore}, 3},
    {{kIdYes, kIdNo, kIdCancel}, 3},
    {{kIdYes, kIdNo}, 2},
    {{kIdRetry, kIdCancel}, 2},
    {{kIdCancel, kIdTryAgain, kIdContinue}, 3},
};

Icon IconOfBits(std::uint32_t bits) {
  switch (bits) {
    case kMbIconError:
      return Icon::kError;
    case kMbIconQuestion:
      return Icon::kQuestion;
    case kMbIconWarning:
      return Icon::kWarning;
    case kMbIconInformation:
      return Icon::kInformation;
    default:
      // Other values name no icon that a plain message box can show.
      return Icon::kNone;
  }
}

// Both modality bits at once name no modality: such a box is an ordinary
// application-modal one, and so not kept on top either.
Modality ModalityOfBits(std::uint32_t bits) {
  if (bits == kMbSystemModal) return Modality::kSystem;
  if (bits == kMbTaskModal) return Modality::kTask;
  return Modality::kApplication;
}

// No buttons at all for a style that cannot be shown, rather than another
// set's.
ButtonRow ButtonsOf(std::uint32_t style) {
  if (!IsShowable(style)) return ButtonRow{};
  ButtonRow row = kSets[style & kMbButtonSets];
  if ((style & kMbHelp) != 0) row.ids[row.count++] = kIdHelp;
  return row;
}

int DefaultIndex(const ButtonRow& row, std::uint32_t style, int defaultId) {
  const int named = IndexOf(row, defaultId);
  if (named >= 0) return named;
  const int nth = static_cast<int>((style & kDefaultMask) >> 8);
  return nth < row.count ? nth : 0;
}

int EscapeAnswer(const ButtonRow& row, std::uint32_t style) {
  if (IndexOf(row, kIdCancel) >= 0) return kIdCancel;
  return (style & kMbButtonSets) == kMbOk ? kIdOk : 0;
}

BoxLook LookOf(std::uint32_t style) {
  BoxLook look{};
  look.icon = IconOfBits(style & kIconMask);
  look.modality = ModalityOfBits(style & kModeMask);
  // A system-modal box also stays above every other window.
  look.topmost =
      (style & kMbTopmost) != 0 || look.modality == Modality::kSystem;
  look.setForeground = (style & kMbSetForeground) != 0;
  look.rightAligned = (style & kMbRight) != 0;
  look.rightToLeft = (style & kMbRtlReading) != 0;
  return look;
}

}  // namespace

int IndexOf(const ButtonRow& row, int id) {
  for (int i = 0; i < row.count; ++i) {
    if (row.ids[i] == id) return i;
  }
  return -1;
}

bool IsShowable(std::uint32_t style) {
  return (style & kMbButtonSets) < kShowableSets;
}

BoxPlan PlanBox(std::uint32_t style, int defaultId) {
  const ButtonRow row = ButtonsOf(style);
  return {row, DefaultIndex(row, style, defaultId), EscapeAnswer(row, style),
          LookOf(style)};
}

int AnswerTo(const BoxPlan& plan, int commandId) {
  if (commandId == kIdHelp) return 0;  // Help informs; it never closes.
  if (IndexOf(plan.buttons, commandId) >= 0) return commandId;
  // Escape and the close button arrive as IDCANCEL, Cancel button or not.
  return commandId == kIdCancel ? AnswerToEscape(plan) : 0;
}

int AnswerToEscape(const BoxPlan& plan) { return plan.escapeAnswer; }

int MoveFocus(const BoxPlan& plan, int focus, int step) {
  const int count = plan.buttons.count;
  if (count == 0) return 0;
  const int moved = (focus + step) % count;
  return moved < 0 ? moved + count : moved;
}

}  // namespace vorlick
