#include "exit_status.h"

int ExitStatusFor(std::int32_t result) {
  if (result == kTimedOutResult) return kTimedOutStatus;
  if (result < 0 || result > 255 || result == kTimedOutStatus) {
    return kUnrepresentableStatus;
  }
  return result;
}
