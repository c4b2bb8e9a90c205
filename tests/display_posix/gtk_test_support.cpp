#include "gtk_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "vorlick.h"

namespace vorlick_test {
namespace {

using Clock = std::chrono::steady_clock;

std::string Id(unsigned long window) { return std::to_string(window); }

// xdotool's search for a window named exactly `caption`: it takes the name
// as a regular expression, so the caption's own metacharacters are escaped,
// and the whole is one shell word.
std::string SearchExactly(const std::string& caption) {
  std::string pattern = "^";
  for (const char c : caption) {
    if (std::string_view("\\.[]()*+?{}|^$").find(c) != std::string::npos) {
      pattern += '\\';
    }
    pattern += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return "xdotool search --onlyvisible --name '" + pattern + "$'";
}

}  // namespace

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    pclose(pipe);
  }
  return out;
}

AsyncBox::AsyncBox(const std::u16string& caption, unsigned style, int timeout,
                   int defaultId, const std::u16string& text) {
  result_ = std::async(std::launch::async, [=, this] {
    const auto start = Clock::now();
    const int result = VorlickShowMessage(
        nullptr, text.c_str(), caption.c_str(), style, timeout, defaultId);
    elapsedMs_ = std::chrono::duration_cast<std::chrono::milliseconds>(
                     Clock::now() - start)
                     .count();
    return result;
  });
}

AsyncBox::~AsyncBox() {
  // A box left open by a failed test would keep the future waiting.
  if (result_.valid() &&
      result_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    ADD_FAILURE() << "a box was left open";
    std::quick_exit(1);
  }
}

int AsyncBox::Result(int ms) {
  if (result_.wait_for(std::chrono::milliseconds(ms)) !=
      std::future_status::ready) {
    return -1;
  }
  return result_.get();
}

unsigned long FindBox(const std::string& caption, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    const std::string found = Run(SearchExactly(caption));
    if (!found.empty()) return std::stoul(found);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  return 0;
}

bool BoxExists(const std::string& caption) {
  return !Run(SearchExactly(caption)).empty();
}

void PressKeys(unsigned long window, const std::string& keys) {
  Run("xdotool windowfocus --sync " + Id(window) + " key --delay 80 " + keys);
}

std::string WindowState(unsigned long window) {
  return Run("xprop -id " + Id(window) + " _NET_WM_STATE");
}

}  // namespace vorlick_test
