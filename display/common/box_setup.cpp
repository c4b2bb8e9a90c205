#include "box_setup.h"

namespace vorlick {

bool SetUpBox(const char16_t* title, const char16_t* body, std::uint32_t style,
              std::int32_t timeout, std::int32_t defaultId,
              std::uint64_t startMs, Language language, BoxSetup& setup) {
  setup.countdown = StartCountdown(timeout, startMs);
  if (!IsShowable(style)) return false;
  setup.plan = PlanBox(style, defaultId);
  setup.plan.language = language;
  setup.title = title != nullptr ? title : u"";
  setup.body = body != nullptr ? body : u"";
  setup.timeout = timeout > 0 ? timeout : 0;
  return true;
}

}  // namespace vorlick
