// The words tandrel-ask uses for the box's button sets, icons and buttons,
// and the style bits and IDs they stand for: one table each, read both ways
// (a name to its value for the options, an answer's ID to its name for
// --print).
#pragma once

#include <cstdint>
#include <string_view>

#include "vorlick.h"

struct BoxName {
  const char* name;
  std::uint32_t value;
};

inline constexpr BoxName kButtonSetNames[] = {
    {"ok", vorlick::kMbOk},
    {"okcancel", vorlick::kMbOkCancel},
    {"abortretryignore", vorlick::kMbAbortRetryIgnore},
    {"yesnocancel", vorlick::kMbYesNoCancel},
    {"yesno", vorlick::kMbYesNo},
    {"retrycancel", vorlick::kMbRetryCancel},
    {"canceltrycontinue", vorlick::kMbCancelTryContinue}};

inline constexpr BoxName kIconNames[] = {
    {"none", 0},
    {"error", vorlick::kMbIconError},
    {"question", vorlick::kMbIconQuestion},
    {"warning", vorlick::kMbIconWarning},
    {"information", vorlick::kMbIconInformation}};

inline constexpr BoxName kButtonNames[] = {{"ok", vorlick::kIdOk},
                                           {"cancel", vorlick::kIdCancel},
                                           {"abort", vorlick::kIdAbort},
                                           {"retry", vorlick::kIdRetry},
                                           {"ignore", vorlick::kIdIgnore},
                                           {"yes", vorlick::kIdYes},
                                           {"no", vorlick::kIdNo},
                                           {"tryagain", vorlick::kIdTryAgain},
                                           {"continue", vorlick::kIdContinue},
                                           {"help", vorlick::kIdHelp}};

// The name of `value` in `names`, or null when it has none.
template <std::size_t N>
constexpr const char* NameOf(const BoxName (&names)[N], std::uint32_t value) {
  for (const BoxName& entry : names) {
    if (entry.value == value) return entry.name;
  }
  return nullptr;
}
