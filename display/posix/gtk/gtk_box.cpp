#include "gtk_box.h"

#include "box_keys.h"
#include "deadline.h"
#include "gtk_box_window.h"

namespace vorlick {
namespace {

// One box, from its window's making to its destruction.
struct OpenBox {
  const BoxPlan& plan;
  const GtkBoxHooks& hooks;
  Countdown countdown;
  BoxWidgets widgets;
  GMainLoop* loop;
  guint timer = 0;
  bool shown = false;
  bool done = false;
  int result = 0;
};

// Destroys the box and waits until the display server has destroyed it too:
// once the answer is out, nothing of the box is left on the screen.
void Finish(OpenBox* box, int result) {
  if (box->done) return;
  if (box->timer != 0) g_source_remove(box->timer);
  box->timer = 0;
  gtk_widget_destroy(box->widgets.window);
  gdk_display_sync(gdk_display_get_default());
  box->done = true;
  box->result = result;
  g_main_loop_quit(box->loop);
}

void Choose(OpenBox* box, int index) {
  const int answer = AnswerTo(box->plan, box->plan.buttons.ids[index]);
  if (answer != 0) Finish(box, answer);
}

int FocusedButton(OpenBox* box) {
  GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(box->widgets.window));
  for (int i = 0; i < box->plan.buttons.count; ++i) {
    if (box->widgets.buttons[i] == focus) return i;
  }
  return box->plan.defaultIndex;
}

gboolean OnTick(gpointer data) {
  auto* box = static_cast<OpenBox*>(data);
  box->timer = 0;
  const CountdownTick tick = Tick(box->countdown, NowMs());
  if (tick.expired) {
    Finish(box, kIdTimeout);
    return G_SOURCE_REMOVE;
  }
  if (tick.changed) {
    const std::string line = CountdownLine(box->plan.language, tick.seconds);
    gtk_label_set_text(GTK_LABEL(box->widgets.countdown), line.c_str());
  }
  box->timer = g_timeout_add(tick.wakeInMs, OnTick, box);
  return G_SOURCE_REMOVE;
}

void OnClicked(GtkButton* button, gpointer data) {
  auto* box = static_cast<OpenBox*>(data);
  for (int i = 0; i < box->plan.buttons.count; ++i) {
    if (box->widgets.buttons[i] == GTK_WIDGET(button)) {
      Choose(box, i);
      return;
    }
  }
}

void MoveFocusBy(OpenBox* box, int step) {
  const int focus = MoveFocus(box->plan, FocusedButton(box), step);
  gtk_widget_grab_focus(box->widgets.buttons[focus]);
}

// A plain letter acts as on the terminal box: it chooses the button whose
// label starts with it, or moves the focus where two labels share it.
void OnLetter(OpenBox* box, char32_t letter) {
  const LetterMatch match = MatchLetter(box->plan, letter, FocusedButton(box));
  if (match.index < 0) return;
  gtk_widget_grab_focus(box->widgets.buttons[match.index]);
  if (match.unique) Choose(box, match.index);
}

bool IsPlain(const GdkEventKey* event) {
  const guint modifiers = GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK;
  return (event->state & modifiers) == 0;
}

// Keys are handled here, before GTK's own bindings, so that they do exactly
// what the box promises: Enter chooses the focused button, Escape gives the
// box's escape ID or nothing, the arrows move the focus round the buttons.
// Tab and Alt with an access key are left to GTK.
gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
  auto* box = static_cast<OpenBox*>(data);
  // On a right-to-left box the buttons run from right to left.
  const int right = box->plan.look.rightToLeft ? -1 : 1;
  switch (event->keyval) {
    case GDK_KEY_Escape:
      if (const int answer = AnswerToEscape(box->plan)) Finish(box, answer);
      return TRUE;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter:
      Choose(box, FocusedButton(box));
      return TRUE;
    case GDK_KEY_Left:
      MoveFocusBy(box, -right);
      return TRUE;
    case GDK_KEY_Right:
      MoveFocusBy(box, right);
      return TRUE;
    case GDK_KEY_Up:
      MoveFocusBy(box, -1);
      return TRUE;
    case GDK_KEY_Down:
      MoveFocusBy(box, 1);
      return TRUE;
    default:
      break;
  }
  const guint32 letter = gdk_keyval_to_unicode(event->keyval);
  if (letter <= 0x20 || !IsPlain(event)) return FALSE;
  OnLetter(box, letter);
  return TRUE;
}

// The window's close button acts as Escape does.
gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  auto* box = static_cast<OpenBox*>(data);
  if (const int answer = AnswerToEscape(box->plan)) Finish(box, answer);
  return TRUE;
}

// Asks for the keyboard focus once the window is on screen; without a window
// manager nobody else would give it. Every box does, so MB_SETFOREGROUND
// needs nothing more. Then tells whoever waits for the box that it is up.
// Once only: on Wayland, presenting the window maps it again.
gboolean OnMap(GtkWidget* window, GdkEvent*, gpointer data) {
  auto* box = static_cast<OpenBox*>(data);
  if (box->shown) return FALSE;
  box->shown = true;
  gtk_window_present(GTK_WINDOW(window));
  gdk_display_flush(gtk_widget_get_display(window));
  if (box->hooks.shown != nullptr) box->hooks.shown(window, box->hooks.data);
  return FALSE;
}

void Connect(OpenBox* box) {
  GtkWidget* window = box->widgets.window;
  g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), box);
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), box);
  g_signal_connect(window, "map-event", G_CALLBACK(OnMap), box);
  for (int i = 0; i < box->plan.buttons.count; ++i) {
    g_signal_connect(box->widgets.buttons[i], "clicked", G_CALLBACK(OnClicked),
                     box);
  }
}

}  // namespace

int RunGtkBox(const BoxPlan& plan, const std::string& caption,
              const std::string& text, int timeoutSeconds,
              const Countdown& countdown, const GtkBoxHooks& hooks) {
  OpenBox box{plan, hooks, countdown,
              BuildBoxWindow(plan, caption, text, timeoutSeconds),
              g_main_loop_new(nullptr, FALSE)};
  Connect(&box);
  gtk_widget_show_all(box.widgets.window);
  // After showing, which resets both: the default button has the focus, and
  // the focus is drawn from the start, so the user sees what Enter chooses.
  gtk_widget_grab_focus(box.widgets.buttons[plan.defaultIndex]);
  gtk_window_set_focus_visible(GTK_WINDOW(box.widgets.window), TRUE);
  // The first tick sets the countdown; it ends the box at once when the time
  // ran out before the box could be made.
  if (Runs(countdown)) OnTick(&box);
  if (!box.done) g_main_loop_run(box.loop);
  g_main_loop_unref(box.loop);
  return box.result;
}

}  // namespace vorlick
