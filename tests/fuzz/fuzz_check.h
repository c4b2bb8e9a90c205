// A check that stops the fuzzer with the failed condition, so that libFuzzer
// saves the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzCheckFailed(const char* condition,
                                         const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

#define FUZZ_CHECK(condition) \
  ((condition) ? void(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))
