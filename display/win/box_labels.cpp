#include "box_labels.h"

namespace vorlick {
namespace {

bool IsLabel(const wchar_t* text) {
  if (text == nullptr || text[0] == 0) return false;
  for (int length = 0; length < kLabelUnits; ++length) {
    if (text[length] == 0) return true;
  }
  return false;  // longer than any label of ours: not taken for one
}

const char16_t* SystemLabel(SystemStringsFunction strings,
                            SystemNumbering numbering, int id) {
  if (numbering == SystemNumbering::kUnknown) return nullptr;
  const UINT number = numbering == SystemNumbering::kById ? id : id - 1;
  const wchar_t* text = strings(number);
  return IsLabel(text) ? reinterpret_cast<const char16_t*>(text) : nullptr;
}

}  // namespace

SystemNumbering FindNumbering(SystemStringsFunction strings) {
  if (strings == nullptr) return SystemNumbering::kUnknown;
  const bool zero = IsLabel(strings(0));
  const bool continues = IsLabel(strings(kIdContinue));
  if (zero == continues) return SystemNumbering::kUnknown;
  return zero ? SystemNumbering::kByIdLessOne : SystemNumbering::kById;
}

ButtonLabels LabelsOf(const BoxPlan& plan, SystemStringsFunction strings) {
  const SystemNumbering numbering = FindNumbering(strings);
  ButtonLabels labels{};
  for (int i = 0; i < plan.buttons.count; ++i) {
    const int id = plan.buttons.ids[i];
    const char16_t* system = SystemLabel(strings, numbering, id);
    labels.text[i] =
        system != nullptr ? system : MarkedLabel(plan.language, id);
  }
  return labels;
}

}  // namespace vorlick
