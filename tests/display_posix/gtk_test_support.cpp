#include "gtk_test_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "vorlick_api.h"

namespace vorlick_test {
namespace {

using Clock = std::chrono::steady_clock;

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

pid_t StartXvfb(int display) {
  const pid_t tests = getpid();
  const pid_t server = fork();
  if (server == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives the tests
    if (getppid() != tests) _exit(1);  // they ended before prctl
    const std::string name = ":" + std::to_string(display);
    execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24",
           "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(server, nullptr, WNOHANG) == server) return -1;
    if (Exists(socket)) return server;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  return -1;
}

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    pclose(pipe);
  }
  return out;
}

std::string Id(unsigned long window) { return std::to_string(window); }

// Runs `task` on the library's GTK thread, which runs GLib's default main
// loop, and waits for it. Only while a box is open is that thread sure to be
// there; the test program's own time limit ends a wait that never returns.
template <typename Task>
void OnGtkThread(Task task) {
  struct Call {
    explicit Call(Task& task) : task(task) {}
    Task& task;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
  } call(task);
  g_idle_add(
      [](gpointer data) -> gboolean {
        auto* call = static_cast<Call*>(data);
        call->task();
        std::lock_guard<std::mutex> lock(call->mutex);
        call->finished = true;
        call->done.notify_one();
        return G_SOURCE_REMOVE;
      },
      &call);
  std::unique_lock<std::mutex> lock(call.mutex);
  call.done.wait(lock, [&call] { return call.finished; });
}

void Walk(GtkWidget* widget, BoxView& view) {
  if (GTK_IS_BUTTON(widget)) {
    const char* label = gtk_button_get_label(GTK_BUTTON(widget));
    view.buttons.push_back(label ? label : "");
    if (gtk_widget_has_focus(widget)) view.focused = view.buttons.back();
    return;
  }
  if (GTK_IS_LABEL(widget)) {
    view.labels.push_back(gtk_label_get_text(GTK_LABEL(widget)));
    if (view.labels.size() == 1) {
      view.justify = gtk_label_get_justify(GTK_LABEL(widget));
      view.xalign = gtk_label_get_xalign(GTK_LABEL(widget));
      view.direction = gtk_widget_get_direction(widget);
    }
    return;
  }
  if (GTK_IS_IMAGE(widget)) {
    const gchar* name = nullptr;
    gtk_image_get_icon_name(GTK_IMAGE(widget), &name, nullptr);
    view.icon = name ? name : "";
    return;
  }
  if (GTK_IS_CONTAINER(widget)) {
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* child = children; child != nullptr; child = child->next) {
      Walk(GTK_WIDGET(child->data), view);
    }
    g_list_free(children);
  }
}

}  // namespace

void XvfbEnvironment::SetUp() {
  for (int display = 71; display <= 79 && server_ < 0; ++display) {
    if (Exists("/tmp/.X" + std::to_string(display) + "-lock")) continue;
    server_ = StartXvfb(display);
    if (server_ > 0)
      setenv("DISPLAY", (":" + std::to_string(display)).c_str(), 1);
  }
  ASSERT_GT(server_, 0) << "no Xvfb on :71 to :79";
  setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus to wait for
  setenv("GSETTINGS_BACKEND", "memory", 1);
}

// The server is not stopped here: the library's GTK thread keeps its
// connection open for good, and GTK ends a process whose display goes away.
// The server ends with the test program instead (PR_SET_PDEATHSIG).
void XvfbEnvironment::TearDown() {}

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
    const std::string found =
        Run("xdotool search --onlyvisible --name '^" + caption + "$'");
    if (!found.empty()) return std::stoul(found);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  return 0;
}

bool BoxExists(const std::string& caption) {
  return !Run("xdotool search --onlyvisible --name '^" + caption + "$'")
              .empty();
}

void PressKeys(unsigned long window, const std::string& keys) {
  Run("xdotool windowfocus --sync " + Id(window) + " key --delay 80 " + keys);
}

std::string XGeometry(unsigned long window) {
  const std::string shell =
      Run("xdotool getwindowgeometry --shell " + Id(window));
  std::string width, height;
  size_t at = shell.find("WIDTH=");
  if (at != std::string::npos)
    width = shell.substr(at + 6, shell.find('\n', at) - at - 6);
  at = shell.find("HEIGHT=");
  if (at != std::string::npos)
    height = shell.substr(at + 7, shell.find('\n', at) - at - 7);
  return width + "x" + height;
}

std::string WindowState(unsigned long window) {
  return Run("xprop -id " + Id(window) + " _NET_WM_STATE");
}

BoxView InspectBox(const std::string& caption) {
  BoxView view;
  OnGtkThread([&view, caption] {
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item != nullptr; item = item->next) {
      GtkWindow* window = GTK_WINDOW(item->data);
      const char* title = gtk_window_get_title(window);
      if (title == nullptr || caption != title) continue;
      if (!gtk_widget_get_visible(GTK_WIDGET(window))) continue;
      view.found = true;
      view.focusVisible = gtk_window_get_focus_visible(window);
      view.deletable = gtk_window_get_deletable(window);
      view.resizable = gtk_window_get_resizable(window);
      view.width = gtk_widget_get_allocated_width(GTK_WIDGET(window));
      view.height = gtk_widget_get_allocated_height(GTK_WIDGET(window));
      Walk(GTK_WIDGET(window), view);
    }
    g_list_free(windows);
  });
  return view;
}

int CountToplevels() {
  int count = -1;
  OnGtkThread([&count] {
    GList* windows = gtk_window_list_toplevels();
    count = 0;
    for (GList* item = windows; item != nullptr; item = item->next) {
      // GTK keeps a hidden tooltip popup per display for itself.
      const GtkWindowType type =
          gtk_window_get_window_type(GTK_WINDOW(item->data));
      if (type == GTK_WINDOW_TOPLEVEL) ++count;
    }
    g_list_free(windows);
  });
  return count;
}

}  // namespace vorlick_test
