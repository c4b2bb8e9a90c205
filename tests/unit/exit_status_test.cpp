// The 8-bit exit status of the POSIX program for every kind of result.
#include "exit_status.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ExitStatus, KeepsButtonsMapsTheRest) {
  struct Case {
    std::int32_t result;
    int status;
  };
  const Case cases[] = {
      {0, 0},         {1, 1},       {2, 2},       {6, 6},     {7, 7},
      {10, 10},       {11, 11},     {32000, 124}, {124, 255}, {123, 123},
      {125, 125},     {255, 255},   {256, 255},   {-1, 255},  {INT_MIN, 255},
      {INT_MAX, 255}, {31999, 255}, {32001, 255},
  };
  for (Case c : cases) EXPECT_EQ(ExitStatusFor(c.result), c.status) << c.result;
}

}  // namespace
