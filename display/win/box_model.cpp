#include "box_model.h"

namespace vorlick {
namespace {

constexpr std::uint32_t kButtonMask = 0x0000F;
constexpr std::uint32_t kIconMask = 0x000F0;
constexpr std::uint32_t kDefaultMask = 0x00F00;
constexpr std::uint32_t kModeMask = 0x03000;
constexpr std::uint32_t kHelp = 0x04000;
constexpr std::uint32_t kSetForeground = 0x10000;
constexpr std::uint32_t kTopmost = 0x40000;
constexpr std::uint32_t kRight = 0x80000;
constexpr std::uint32_t kRtlReading = 0x100000;

constexpr std::uint32_t kSystemModal = 0x1000;
constexpr std::uint32_t kTaskModal = 0x2000;

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
    case 0x10:
      return Icon::kError;
    case 0x20:
      return Icon::kQuestion;
    case 0x30:
      return Icon::kWarning;
    case 0x40:
      return Icon::kInformation;
    default:
      // Other values name no icon that a plain message box can show.
      return Icon::kNone;
  }
}

Modality ModalityOfBits(std::uint32_t bits) {
  if (bits == kSystemModal) return Modality::kSystem;
  if (bits == kTaskModal) return Modality::kTask;
  return Modality::kApplication;
}

}  // namespace

int IndexOf(const ButtonRow& row, int id) {
  for (int i = 0; i < row.count; ++i) {
    if (row.ids[i] == id) return i;
  }
  return -1;
}

bool IsShowable(std::uint32_t style) {
  return (style & kButtonMask) < kShowableSets;
}

ButtonRow ButtonsOf(std::uint32_t style) {
  ButtonRow row = kSets[(style & kButtonMask) % kShowableSets];
  if ((style & kHelp) != 0) row.ids[row.count++] = kIdHelp;
  return row;
}

int DefaultIndex(std::uint32_t style, int defaultId) {
  const ButtonRow row = ButtonsOf(style);
  const int named = IndexOf(row, defaultId);
  if (named >= 0) return named;
  const int nth = static_cast<int>((style & kDefaultMask) >> 8);
  return nth < row.count ? nth : 0;
}

int AnswerTo(std::uint32_t style, int commandId) {
  const ButtonRow row = ButtonsOf(style);
  if (commandId == kIdHelp) return 0;  // Help informs; it never closes.
  if (IndexOf(row, commandId) >= 0) return commandId;
  if (commandId != kIdCancel) return 0;
  // Escape or the close button on a box without a Cancel button: a lone OK
  // box answers OK, any other box cannot be closed without a choice.
  return (style & kButtonMask) == 0 ? kIdOk : 0;
}

BoxLook LookOf(std::uint32_t style) {
  BoxLook look{};
  look.icon = IconOfBits(style & kIconMask);
  look.modality = ModalityOfBits(style & kModeMask);
  // A system-modal box also stays above every other window.
  look.topmost = (style & kTopmost) != 0 || look.modality == Modality::kSystem;
  look.setForeground = (style & kSetForeground) != 0;
  look.rightAligned = (style & kRight) != 0;
  look.rightToLeft = (style & kRtlReading) != 0;
  return look;
}

const char16_t* LabelOf(int buttonId) {
  switch (buttonId) {
    case kIdOk:
      return u"OK";
    case kIdCancel:
      return u"Cancel";
    case kIdAbort:
      return u"&Abort";
    case kIdRetry:
      return u"&Retry";
    case kIdIgnore:
      return u"&Ignore";
    case kIdYes:
      return u"&Yes";
    case kIdNo:
      return u"&No";
    case kIdHelp:
      return u"Help";
    case kIdTryAgain:
      return u"&Try Again";
    case kIdContinue:
      return u"&Continue";
    default:
      return u"";
  }
}

}  // namespace vorlick
