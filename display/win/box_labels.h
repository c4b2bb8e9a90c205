// The buttons' labels as the box shows them: the system's own words where
// user32 offers them through MB_GetString, otherwise our translations.
#pragma once

#include "box_plan.h"
#include "win32_api.h"

namespace vorlick {

// user32's MB_GetString: a button's label, '&' before its access key, or
// null for a number it has no string for.
using SystemStringsFunction = const wchar_t*(WINAPI*)(UINT);

// How MB_GetString numbers its strings. Its documentation says "the ID",
// which reads both as the button's ID and as the ID less one (OK at 0);
// the answers for 0 and for IDCONTINUE tell which: 0 is no button ID, and
// IDCONTINUE is one past the last string when they count from 0.
enum class SystemNumbering { kUnknown, kById, kByIdLessOne };

SystemNumbering FindNumbering(SystemStringsFunction strings);

// The labels of the plan's buttons, in the row's order, '&' before their
// access keys. Each comes from `strings` (null: user32 lacks it) when its
// numbering is clear and its answer is a label that fits kLabelUnits;
// otherwise from our translation in the plan's language.
struct ButtonLabels {
  const char16_t* text[kMaxButtons];
};

ButtonLabels LabelsOf(const BoxPlan& plan, SystemStringsFunction strings);

}  // namespace vorlick
