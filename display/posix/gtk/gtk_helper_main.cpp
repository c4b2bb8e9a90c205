// vorlick-gtk: shows one GTK box for libvorlick.so and tells it the answer.
// The library starts it per box with its end of a socket as descriptor 3
// (helper_protocol.h), so that GTK, its threads and its display connection
// live and die with this process and never in the caller's.
#include <fcntl.h>
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "box_text.h"
#include "gtk_box.h"
#include "helper_protocol.h"
#include "read_all.h"
#include "write_all.h"

namespace {

constexpr int kSocket = 3;
// Set by tests and benchmarks that wait for the box where no window list can
// be read (a headless Wayland compositor): the box's title and a line break
// are appended to this file once the box is up.
constexpr char kShownLog[] = "VORLICK_GTK_SHOWN_LOG";

bool ReadWhole(void* data, size_t size) {
  return ReadAll(kSocket, data, size).bytes == size;
}

bool ReadUnits(std::u16string& text, std::uint32_t units) {
  text.assign(units, u'\0');
  return ReadWhole(text.data(), units * sizeof(char16_t));
}

void NoteShown(GtkWidget* window, void*) {
  const char* log = getenv(kShownLog);
  if (log == nullptr || log[0] == 0) return;
  const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  std::string line = gtk_window_get_title(GTK_WINDOW(window));
  line += '\n';
  // Should it fail, there is nothing to do: the box is shown all the same.
  WriteAll(fd, line.data(), line.size());
  close(fd);
}

// The library closed its end: its caller gave up or ended. The box goes
// with this process; the display server removes its window.
gboolean OnCallerGone(gint, GIOCondition, gpointer) { _exit(0); }

struct Request {
  vorlick::HelperRequest fixed{};
  vorlick::BoxPlan plan{};  // as the library made it
  std::u16string title;
  std::u16string body;
};

bool ReceiveRequest(Request& request) {
  return ReadWhole(&request.fixed, sizeof request.fixed) &&
         vorlick::ReadRequest(request.fixed, request.plan) &&
         ReadUnits(request.title, request.fixed.titleUnits) &&
         ReadUnits(request.body, request.fixed.bodyUnits);
}

int ShowBox(const Request& request) {
  vorlick::Countdown countdown;
  countdown.deadlineMs = request.fixed.deadlineMs;
  return vorlick::RunGtkBox(
      request.plan, vorlick::ToDisplayTitle(request.title.c_str()),
      vorlick::ToDisplayText(request.body.c_str()), request.fixed.timeout,
      countdown, {NoteShown, nullptr});
}

}  // namespace

// Every way out is _exit: nothing of GTK's is torn down against a display
// that may be gone, and the answer is out before anything else can fail.
int main() {
  // Programs GTK may start must not hold the library's socket open.
  if (fcntl(kSocket, F_SETFD, FD_CLOEXEC) != 0) _exit(2);
  (void)signal(SIGPIPE, SIG_IGN);  // a caller gone shows up as a failed write
  (void)signal(SIGTTOU, SIG_IGN);  // warnings reach a terminal from any group
  Request request;
  if (!ReceiveRequest(request)) _exit(2);
  g_set_prgname(request.fixed.program[0] != 0 ? request.fixed.program
                                              : "vorlick-gtk");
  // The C locale, as the box had in its callers' processes: GTK would
  // otherwise turn the whole box around in a right-to-left locale, which is
  // MB_RTLREADING's to decide.
  gtk_disable_setlocale();
  // The box draws with cairo alone. Without this GDK sets up OpenGL while
  // it opens an X display, to pick visuals for GL: half of the helper's
  // time before the box is mapped.
  setenv("GDK_GL", "disable", 1);
  if (!gtk_init_check(nullptr, nullptr)) _exit(1);
  WriteAll(kSocket, vorlick::kOpenedReport, strlen(vorlick::kOpenedReport));
  g_unix_fd_add(kSocket,
                static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR),
                OnCallerGone, nullptr);
  const int result = ShowBox(request);
  char line[24];
  WriteAll(kSocket, line,
           static_cast<size_t>(vorlick::FormatAnswer(result, line)));
  _exit(0);
}
