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

// Does what the key rule says for `key` on button `focus`. Help has no one
// to tell on Linux: the box stays.
void Act(OpenBox* box, int focus, BoxKey key, char32_t character = 0) {
  const KeyAction action = ActOnKey(box->plan, focus, key, character);
  if (action.focus != focus) {
    gtk_widget_grab_focus(box->widgets.buttons[action.focus]);
  }
  if (action.answer != 0) Finish(box, action.answer);
}

// A click is Enter on the button clicked.
void OnClicked(GtkButton* button, gpointer data) {
  auto* box = static_cast<OpenBox*>(data);
  for (int i = 0; i < box->plan.buttons.count; ++i) {
    if (box->widgets.buttons[i] == GTK_WIDGET(button)) {
      Act(box, i, BoxKey::kEnter);
      return;
    }
  }
}

// The box's key for a GDK key, or false for one that is not the box's.
bool BoxKeyOf(guint keyval, BoxKey& key) {
  static constexpr struct {
    guint keyval;
    BoxKey key;
  } kKeys[] = {
      {GDK_KEY_Left, BoxKey::kLeft},
      {GDK_KEY_KP_Left, BoxKey::kLeft},
      {GDK_KEY_Right, BoxKey::kRight},
      {GDK_KEY_KP_Right, BoxKey::kRight},
      {GDK_KEY_Up, BoxKey::kUp},
      {GDK_KEY_KP_Up, BoxKey::kUp},
      {GDK_KEY_Down, BoxKey::kDown},
      {GDK_KEY_KP_Down, BoxKey::kDown},
      {GDK_KEY_Tab, BoxKey::kTab},
      {GDK_KEY_KP_Tab, BoxKey::kTab},
      {GDK_KEY_ISO_Left_Tab, BoxKey::kBackTab},
      {GDK_KEY_Return, BoxKey::kEnter},
      {GDK_KEY_KP_Enter, BoxKey::kEnter},
      {GDK_KEY_ISO_Enter, BoxKey::kEnter},
      {GDK_KEY_space, BoxKey::kSpace},
      {GDK_KEY_KP_Space, BoxKey::kSpace},
      {GDK_KEY_Escape, BoxKey::kEscape},
      {GDK_KEY_F1, BoxKey::kHelp},
  };
  for (const auto& entry : kKeys) {
    if (entry.keyval != keyval) continue;
    key = entry.key;
    return true;
  }
  return false;
}

// Keys are handled here, before GTK's own bindings, so that they do exactly
// what the box's key rule says, access keys with Alt or without included.
// Ctrl and Super combinations are left to GTK.
gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
  auto* box = static_cast<OpenBox*>(data);
  BoxKey key = BoxKey::kEscape;
  if (BoxKeyOf(event->keyval, key)) {
    Act(box, FocusedButton(box), key);
    return TRUE;
  }
  const guint32 character = gdk_keyval_to_unicode(event->keyval);
  if (character <= 0x20 ||
      (event->state & (GDK_CONTROL_MASK | GDK_SUPER_MASK)) != 0) {
    return FALSE;
  }
  Act(box, FocusedButton(box), BoxKey::kCharacter, character);
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

int RunGtkBox(const BoxPlan& plan, const std::string& title,
              const std::string& body, int timeout, const Countdown& countdown,
              const GtkBoxHooks& hooks) {
  OpenBox box{plan, hooks, countdown,
              BuildBoxWindow(plan, title, body, timeout),
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
