#include "gtk_host.h"

#include <gtk/gtk.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>

namespace vorlick {
namespace {

enum class HostState { kNotStarted, kStarting, kReady, kNoDisplay };

std::mutex hostMutex;
std::condition_variable hostChanged;
HostState hostState = HostState::kNotStarted;
pid_t hostProcess = 0;  // the process whose thread runs GTK

void SetState(HostState next) {
  std::lock_guard<std::mutex> lock(hostMutex);
  hostState = next;
  hostChanged.notify_all();
}

void* GtkThread(void*) {
  // GTK must not change the locale of the process it was loaded into.
  gtk_disable_setlocale();
  if (!gtk_init_check(nullptr, nullptr)) {
    SetState(HostState::kNoDisplay);
    return nullptr;
  }
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  SetState(HostState::kReady);
  g_main_loop_run(loop);  // never quits: boxes may come at any time
  return nullptr;
}

// The thread takes no signals: they stay with the caller's threads, which
// handle them as the process wants.
bool StartThread() {
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  pthread_t thread;
  const bool started =
      pthread_create(&thread, &attributes, GtkThread, nullptr) == 0;
  pthread_attr_destroy(&attributes);
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return started;
}

// Without any of these GTK has no display to try, and the library need not
// start GTK at all (it would keep some of its state for good).
bool MayHaveDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "GDK_BACKEND"}) {
    const char* value = getenv(name);
    if (value != nullptr && value[0] != 0) return true;
  }
  return false;
}

}  // namespace

bool GtkHostReady() {
  std::unique_lock<std::mutex> lock(hostMutex);
  if (hostState == HostState::kNotStarted && !MayHaveDisplay()) return false;
  // A child forked after GTK started has no GTK thread, and the display
  // connection is its parent's: its boxes go to the terminal.
  if (hostState != HostState::kNotStarted && hostProcess != getpid()) {
    return false;
  }
  if (hostState == HostState::kNotStarted) {
    hostState = HostState::kStarting;
    hostProcess = getpid();
    lock.unlock();
    const bool started = StartThread();
    lock.lock();
    if (!started) {
      hostState = HostState::kNoDisplay;
      hostChanged.notify_all();
    }
  }
  hostChanged.wait(lock, [] { return hostState != HostState::kStarting; });
  return hostState == HostState::kReady;
}

// Always through a source of the main loop, even while the loop is not yet
// running: the task must never run on the caller's thread.
void RunOnGtkThread(GSourceFunc task, void* data) {
  g_idle_add_full(G_PRIORITY_DEFAULT, task, data, nullptr);
}

}  // namespace vorlick
