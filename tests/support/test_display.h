// The X displays the native tests show boxes on, all started by
// scripts/wine-session.sh: the one every test shares, which the CTest
// fixture "display" starts before the tests and ends after them, and a
// display of one test's own, for a test that ends it under a box.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "temp_folder.h"

// The shared display's name (":N"); empty when the fixture has not started
// it (outside ctest: scripts/wine-session.sh setup STATE --display-only, with
// STATE the build tree's test-display folder).
std::string SharedDisplay();

// Points DISPLAY at the shared display for a whole test program, without
// Wayland, an accessibility bus to wait for, or the user's settings.
class SharedDisplayEnvironment : public ::testing::Environment {
 public:
  void SetUp() override;
};

class PrivateDisplay {
 public:
  PrivateDisplay();
  ~PrivateDisplay() { End(); }
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  // Ends the display now, as one that goes away under a box.
  void End();
  const std::string& name() const { return name_; }  // empty: none started

 private:
  TempFolder state_;
  std::string name_;
};
