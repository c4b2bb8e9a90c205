// The GTK box's window as the helper shows it, run in this process on the
// shared test display: looked at through GTK and ATK while it is up, then
// answered.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "box_plan.h"
#include "box_text.h"
#include "deadline.h"
#include "gtk_box.h"
#include "gtk_test_support.h"

namespace vorlick_test {
namespace {

using vorlick::BoxPlan;

struct BoxView {
  std::vector<std::string> labels;   // the message, then the countdown
  std::vector<std::string> buttons;  // as labelled, access keys marked
  std::string focused;               // label of the focused button
  std::string icon;                  // icon name; empty without an icon
  GtkJustification justify = GTK_JUSTIFY_LEFT;
  float xalign = -1;
  GtkTextDirection direction = GTK_TEXT_DIR_NONE;
  bool focusVisible = false;
  bool deletable = true;
  bool resizable = true;
  std::vector<int> buttonX;  // where each button starts in the window
  int iconX = -1;
  int textX = -1;  // the message's start
};

// Where `widget` starts, left to right, in its window.
int XInWindow(GtkWidget* widget) {
  int x = -1, y = -1;
  gtk_widget_translate_coordinates(widget, gtk_widget_get_toplevel(widget), 0,
                                   0, &x, &y);
  return x;
}

void Walk(GtkWidget* widget, BoxView& view) {
  if (GTK_IS_BUTTON(widget)) {
    const char* label = gtk_button_get_label(GTK_BUTTON(widget));
    view.buttons.push_back(label ? label : "");
    view.buttonX.push_back(XInWindow(widget));
    // The window's focus widget: the window itself may not be active yet.
    GtkWidget* window = gtk_widget_get_toplevel(widget);
    if (gtk_window_get_focus(GTK_WINDOW(window)) == widget) {
      view.focused = view.buttons.back();
    }
  } else if (GTK_IS_LABEL(widget)) {
    view.labels.push_back(gtk_label_get_text(GTK_LABEL(widget)));
    if (view.labels.size() == 1) {
      view.justify = gtk_label_get_justify(GTK_LABEL(widget));
      view.xalign = gtk_label_get_xalign(GTK_LABEL(widget));
      view.direction = gtk_widget_get_direction(widget);
      view.textX = XInWindow(widget);
    }
  } else if (GTK_IS_IMAGE(widget)) {
    const gchar* name = nullptr;
    gtk_image_get_icon_name(GTK_IMAGE(widget), &name, nullptr);
    view.icon = name ? name : "";
    view.iconX = XInWindow(widget);
  } else if (GTK_IS_CONTAINER(widget)) {
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* child = children; child != nullptr; child = child->next) {
      Walk(GTK_WIDGET(child->data), view);
    }
    g_list_free(children);
  }
}

BoxView Inspect(GtkWidget* window) {
  BoxView view;
  view.focusVisible = gtk_window_get_focus_visible(GTK_WINDOW(window));
  view.deletable = gtk_window_get_deletable(GTK_WINDOW(window));
  view.resizable = gtk_window_get_resizable(GTK_WINDOW(window));
  Walk(window, view);
  return view;
}

using WhenShown = std::function<void(GtkWidget*)>;

// Shows the box for `plan` with its countdown from now; `whenShown` runs
// once it is up.
int RunBox(const BoxPlan& plan, const std::string& body, int timeout,
           const WhenShown& whenShown,
           std::uint64_t startMs = vorlick::NowMs()) {
  vorlick::GtkBoxHooks hooks;
  hooks.shown = [](GtkWidget* window, void* data) {
    (*static_cast<const WhenShown*>(data))(window);
  };
  hooks.data = const_cast<WhenShown*>(&whenShown);
  return vorlick::RunGtkBox(plan, "box", body, timeout,
                            vorlick::StartCountdown(timeout, startMs), hooks);
}

// Clicks the focused button once the main loop runs again.
void ClickFocused(GtkWidget* window) {
  g_idle_add(
      [](gpointer window) -> gboolean {
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window));
        if (GTK_IS_BUTTON(focus)) gtk_button_clicked(GTK_BUTTON(focus));
        return G_SOURCE_REMOVE;
      },
      window);
}

BoxPlan Plan(unsigned style, const char* language = "en") {
  BoxPlan plan = vorlick::PlanBox(style, 0);
  plan.language = vorlick::FindLanguage(language);
  return plan;
}

// GTK's own toplevel windows: it keeps a hidden tooltip popup per display.
int Toplevels() {
  int toplevels = 0;
  GList* windows = gtk_window_list_toplevels();
  for (GList* item = windows; item != nullptr; item = item->next) {
    toplevels += gtk_window_get_window_type(GTK_WINDOW(item->data)) ==
                 GTK_WINDOW_TOPLEVEL;
  }
  g_list_free(windows);
  return toplevels;
}

class GtkWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gtk_disable_setlocale();
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr));
  }
  // Every box is gone with its call: GTK holds no window of it.
  void TearDown() override { EXPECT_EQ(Toplevels(), 0); }
};

struct LookCase {
  unsigned style;
  const char16_t* text;
  std::vector<std::string> labels;
  std::vector<std::string> buttons;
  std::string icon;
  GtkJustification justify;
  float xalign;
  GtkTextDirection direction;
  bool closable;
  int result;  // the default button's ID, which the focused one gives
};

TEST_F(GtkWindowTest, LooksAsTheStyleSays) {
  const std::string rlm = "\xE2\x80\x8F";
  const LookCase cases[] = {
      {0x10,
       u"one\r\ntwo",
       {"one\ntwo"},
       {"_OK"},
       "dialog-error",
       GTK_JUSTIFY_LEFT,
       0.0f,
       GTK_TEXT_DIR_LTR,
       true,
       1},
      {0x23 | 0x4000,
       u"q",
       {"q"},
       {"_Yes", "_No", "_Cancel", "_Help"},
       "dialog-question",
       GTK_JUSTIFY_LEFT,
       0.0f,
       GTK_TEXT_DIR_LTR,
       true,
       6},
      {0x32,
       u"w",
       {"w"},
       {"_Abort", "_Retry", "_Ignore"},
       "dialog-warning",
       GTK_JUSTIFY_LEFT,
       0.0f,
       GTK_TEXT_DIR_LTR,
       false,
       3},
      {0x46,
       u"i",
       {"i"},
       {"_Cancel", "_Try Again", "_Continue"},
       "dialog-information",
       GTK_JUSTIFY_LEFT,
       0.0f,
       GTK_TEXT_DIR_LTR,
       true,
       2},
      {0x05,
       u"_x_ <b>y</b>",
       {"_x_ <b>y</b>"},
       {"_Retry", "_Cancel"},
       "",
       GTK_JUSTIFY_LEFT,
       0.0f,
       GTK_TEXT_DIR_LTR,
       true,
       4},
      {0x80000,
       u"r",
       {"r"},
       {"_OK"},
       "",
       GTK_JUSTIFY_RIGHT,
       1.0f,
       GTK_TEXT_DIR_LTR,
       true,
       1},
      // Right-to-left reading: GTK aligns by the reading direction, so
      // there the left side on screen is the end and the right the start.
      // The text reads right to left; the row and the icon stay put.
      {0x100000,
       u"a\nb",
       {rlm + "a\n" + rlm + "b"},
       {"_OK"},
       "",
       GTK_JUSTIFY_RIGHT,
       1.0f,
       GTK_TEXT_DIR_RTL,
       true,
       1},
      {0x180000,
       u"a",
       {rlm + "a"},
       {"_OK"},
       "",
       GTK_JUSTIFY_LEFT,
       0.0f,
       GTK_TEXT_DIR_RTL,
       true,
       1},
      {0x100000 | 0x13 | 0x4000,
       u"q",
       {rlm + "q"},
       {"_Yes", "_No", "_Cancel", "_Help"},
       "dialog-error",
       GTK_JUSTIFY_RIGHT,
       1.0f,
       GTK_TEXT_DIR_RTL,
       true,
       6},
      {0x04,
       u"y",
       {"y"},
       {"_Yes", "_No"},
       "",
       GTK_JUSTIFY_LEFT,
       0.0f,
       GTK_TEXT_DIR_LTR,
       false,
       6},
  };
  for (const LookCase& c : cases) {
    SCOPED_TRACE(c.style);
    BoxView view;
    const int result = RunBox(Plan(c.style), vorlick::ToDisplayText(c.text), 0,
                              [&view](GtkWidget* window) {
                                view = Inspect(window);
                                ClickFocused(window);
                              });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(view.labels, c.labels);
    EXPECT_EQ(view.buttons, c.buttons);
    EXPECT_EQ(view.focused, c.buttons[0]);
    EXPECT_TRUE(view.focusVisible);
    EXPECT_EQ(view.icon, c.icon);
    EXPECT_EQ(view.justify, c.justify);
    EXPECT_EQ(view.xalign, c.xalign);
    EXPECT_EQ(view.direction, c.direction);
    EXPECT_EQ(view.deletable, c.closable);
    EXPECT_FALSE(view.resizable);
    // Never mirrored: the buttons in the row's order from the left, the
    // icon left of the text.
    for (size_t i = 1; i < view.buttonX.size(); ++i) {
      EXPECT_GT(view.buttonX[i], view.buttonX[i - 1]) << i;
    }
    if (!c.icon.empty()) {
      EXPECT_LT(view.iconX, view.textX);
    }
  }
}

TEST_F(GtkWindowTest, SpeaksTheLanguageItIsGiven) {
  struct Case {
    const char* language;
    unsigned style;
    std::vector<std::string> buttons;
    std::string countdown;
  };
  const Case cases[] = {
      {"de", 0x3, {"_Ja", "_Nein", "_Abbrechen"}, "Schließt in 5 s"},
      {"de",
       0x2,
       {"Abbr_uch", "_Wiederholen", "_Ignorieren"},
       "Schließt in 5 s"},
      {"fr", 0x3, {"_Oui", "_Non", "_Annuler"}, "Fermeture dans 5 s"},
      {"ru", 0x4, {"_Да", "_Нет"}, "Закроется через 5 с"},
      {"ja",
       0x3,
       {"はい(_Y)", "いいえ(_N)", "キャンセル(_C)"},
       "5 秒後に閉じます"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    BoxView view;
    RunBox(Plan(c.style, c.language), "Text", 5, [&view](GtkWidget* window) {
      view = Inspect(window);
      ClickFocused(window);
    });
    EXPECT_EQ(view.buttons, c.buttons);
    EXPECT_EQ(view.labels, (std::vector<std::string>{"Text", c.countdown}));
  }
}

struct Samples {
  GtkWidget* window = nullptr;
  std::vector<std::string> lines;
  std::vector<std::string> sizes;
};

gboolean TakeSample(gpointer data) {
  auto* samples = static_cast<Samples*>(data);
  if (samples->window == nullptr) return G_SOURCE_REMOVE;
  samples->lines.push_back(Inspect(samples->window).labels.back());
  int x, y, width, height;
  gdk_window_get_geometry(gtk_widget_get_window(samples->window), &x, &y,
                          &width, &height);
  samples->sizes.push_back(
      std::to_string(gtk_widget_get_allocated_width(samples->window)) + " " +
      std::to_string(width) + "x" + std::to_string(height));
  return G_SOURCE_REMOVE;
}

// The number drops once a second and the window keeps its size, in GTK and
// on the X server.
TEST_F(GtkWindowTest, CountdownLineCountsDownWithoutResizing) {
  Samples samples;
  for (guint at : {400, 1400, 2400}) g_timeout_add(at, TakeSample, &samples);
  const int result =
      RunBox(Plan(0x24), "Save the changes?", 3,
             [&samples](GtkWidget* window) { samples.window = window; });
  EXPECT_EQ(result, 32000);
  EXPECT_EQ(samples.lines,
            (std::vector<std::string>{"Closes in 3 s", "Closes in 2 s",
                                      "Closes in 1 s"}));
  ASSERT_EQ(samples.sizes.size(), 3u);
  EXPECT_EQ(samples.sizes[0], samples.sizes[1]);
  EXPECT_EQ(samples.sizes[0], samples.sizes[2]);
}

TEST_F(GtkWindowTest, NoCountdownLineWithoutTimeOut) {
  for (int timeout : {0, -5}) {
    BoxView view;
    RunBox(Plan(0x0), "Text", timeout, [&view](GtkWidget* window) {
      view = Inspect(window);
      ClickFocused(window);
    });
    EXPECT_EQ(view.labels, std::vector<std::string>{"Text"});
  }
}

// Time that ran out before the box could be made: it closes unseen.
TEST_F(GtkWindowTest, TimeOutBeforeTheBoxIsUp) {
  bool shown = false;
  EXPECT_EQ(RunBox(
                Plan(0x0), "Text", 1, [&shown](GtkWidget*) { shown = true; },
                vorlick::NowMs() - 1500),
            32000);
  EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace vorlick_test

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new SharedDisplayEnvironment);
  return RUN_ALL_TESTS();
}
