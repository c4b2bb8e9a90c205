#include "test_display.h"

#include <stdlib.h>

#include <fstream>

namespace {

std::string Session(const std::string& command, const std::string& state) {
  return std::string(TANDREL_SESSION_SCRIPT) + " " + command + " '" + state +
         "'";
}

std::string DisplayIn(const std::string& state) {
  std::string name;
  std::ifstream(state + "/display") >> name;
  return name;
}

}  // namespace

std::string SharedDisplay() { return DisplayIn(TANDREL_DISPLAY_STATE); }

void SharedDisplayEnvironment::SetUp() {
  const std::string display = SharedDisplay();
  ASSERT_FALSE(display.empty()) << "no display in " TANDREL_DISPLAY_STATE;
  setenv("DISPLAY", display.c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("GDK_BACKEND");
  setenv("NO_AT_BRIDGE", "1", 1);
  setenv("GSETTINGS_BACKEND", "memory", 1);
}

PrivateDisplay::PrivateDisplay() {
  const std::string setup =
      Session("setup", state_.root()) + " --display-only >/dev/null 2>&1";
  if (std::system(setup.c_str()) == 0) name_ = DisplayIn(state_.root());
}

void PrivateDisplay::End() {
  if (name_.empty()) return;
  // The script's own messages say what went wrong, if anything.
  [[maybe_unused]] const int status =
      std::system(Session("cleanup", state_.root()).c_str());
  name_.clear();
}
