// What each call of the display library works out before its box appears,
// the same in Vorlick.dll and libvorlick.so: only the clock and the user's
// language are the platform's to give.
#pragma once

#include <cstdint>

#include "box_plan.h"
#include "countdown.h"

namespace vorlick {

struct BoxSetup {
  BoxPlan plan;           // in the user's language
  const char16_t* title;  // never null: a null one is empty
  const char16_t* body;   // never null: a null one is empty
  int timeout;            // the request's seconds; 0: the box waits
  Countdown countdown;    // from the call's start, on the front end's clock
};

// Sets up the box of one call: the countdown runs from `startMs` (the
// call's start, whatever the box then needs to appear), the plan is the
// style's and defaultId's, spoken in `language`. False, and nothing to show,
// when the style names no button set a box can have.
bool SetUpBox(const char16_t* title, const char16_t* body, std::uint32_t style,
              std::int32_t timeout, std::int32_t defaultId,
              std::uint64_t startMs, Language language, BoxSetup& setup);

}  // namespace vorlick
