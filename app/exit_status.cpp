#include "exit_status.h"

int ExitStatusFor(std::int32_t result) {
  if (result == kIdTimeout) return kTimedOutStatus;
  if (result < 0 || result > 255 || result == kTimedOutStatus) {
    return kUnrepresentableStatus;
  }
  return result;
}
