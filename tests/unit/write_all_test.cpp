// The one write loop (shared/write_all.h), fed by a stand-in for write(2).
#include "write_all.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(WriteAll, GoesOnAfterShortAndInterruptedWritesOnly) {
  struct Step {
    int result;  // bytes taken, or -1
    int error;   // errno with -1
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool whole;
    std::string written;
  };
  const Case cases[] = {
      {"at once", {{6, 0}}, true, "abcdef"},
      {"in parts", {{2, 0}, {3, 0}, {1, 0}}, true, "abcdef"},
      {"interrupted",
       {{-1, EINTR}, {4, 0}, {-1, EINTR}, {2, 0}},
       true,
       "abcdef"},
      {"failed", {{2, 0}, {-1, EIO}}, false, "ab"},
      {"nothing taken", {{3, 0}, {0, 0}}, false, "abc"},
  };
  for (const Case& c : cases) {
    std::size_t next = 0;
    std::string written;
    auto put = [&](const char* bytes, std::size_t count) -> ssize_t {
      const Step step = c.steps.at(next++);
      errno = step.error;
      if (step.result > 0) {
        EXPECT_LE(static_cast<std::size_t>(step.result), count) << c.name;
        written.append(bytes, static_cast<std::size_t>(step.result));
      }
      return step.result;
    };
    EXPECT_EQ(WriteAllThrough(put, "abcdef", 6), c.whole) << c.name;
    EXPECT_EQ(written, c.written) << c.name;
    EXPECT_EQ(next, c.steps.size()) << c.name;
  }
}

}  // namespace
