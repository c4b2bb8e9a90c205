#include "gtk_box_window.h"

#include "box_keys.h"
#include "deadline.h"

namespace vorlick {
namespace {

constexpr int kBorder = 12;
constexpr int kSpacing = 12;
constexpr int kButtonSpacing = 6;
constexpr int kTextWidthChars = 60;
constexpr char kRightToLeftMark[] = "\xE2\x80\x8F";

const char* IconName(Icon icon) {
  switch (icon) {
    case Icon::kError:
      return "dialog-error";
    case Icon::kQuestion:
      return "dialog-question";
    case Icon::kWarning:
      return "dialog-warning";
    case Icon::kInformation:
      return "dialog-information";
    default:
      return nullptr;
  }
}

// Right-to-left reading order for every paragraph, whatever its first
// letters: a mark before each one makes it so.
std::string RightToLeft(const std::string& text) {
  std::string out = kRightToLeftMark;
  for (char c : text) {
    out += c;
    if (c == '\n') out += kRightToLeftMark;
  }
  return out;
}

// MB_RIGHT means the right side on screen. GTK's alignment follows the
// reading direction, so in right-to-left text the right side is the start.
void AlignText(GtkWidget* label, const BoxPlan& plan) {
  const bool toEnd = plan.look.rightAligned != plan.look.rightToLeft;
  gtk_label_set_justify(GTK_LABEL(label),
                        toEnd ? GTK_JUSTIFY_RIGHT : GTK_JUSTIFY_LEFT);
  gtk_label_set_xalign(GTK_LABEL(label), toEnd ? 1.0f : 0.0f);
}

GtkWidget* MessageLabel(const BoxPlan& plan, const std::string& text) {
  // Plain text: no markup and no access keys are read from the caller's text.
  GtkWidget* label = gtk_label_new(
      plan.look.rightToLeft ? RightToLeft(text).c_str() : text.c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
  gtk_label_set_max_width_chars(GTK_LABEL(label), kTextWidthChars);
  AlignText(label, plan);
  return label;
}

int Digits(int number) {
  int digits = 1;
  while (number >= 10) number /= 10, ++digits;
  return digits;
}

// The widest the countdown can be: each digit repeated as often as the
// longest number to come has digits (a shorter number of the same digit is
// narrower), measured in one layout.
int WidestCountdown(GtkWidget* label, Language language, int timeoutSeconds) {
  PangoLayout* layout = gtk_widget_create_pango_layout(label, nullptr);
  int widest = 0;
  for (std::uint64_t digit = 0; digit <= 9; ++digit) {
    std::uint64_t number = 0;
    for (int i = 0; i < Digits(timeoutSeconds); ++i)
      number = number * 10 + digit;
    pango_layout_set_text(layout, CountdownLine(language, number).c_str(), -1);
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    if (width > widest) widest = width;
  }
  g_object_unref(layout);
  return widest;
}

// For assistive technologies a timer: its text changes every second, and a
// screen reader reads it when asked, without announcing every change (as it
// would a live region).
GtkWidget* CountdownLabel(const BoxPlan& plan, int timeoutSeconds) {
  GtkWidget* label = gtk_label_new(
      CountdownLine(plan.language, static_cast<std::uint64_t>(timeoutSeconds))
          .c_str());
  AlignText(label, plan);
  atk_object_set_role(gtk_widget_get_accessible(label), ATK_ROLE_TIMER);
  return label;
}

GtkWidget* ButtonBox(const BoxPlan& plan, BoxWidgets& widgets) {
  GtkWidget* row = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(row), GTK_BUTTONBOX_END);
  gtk_box_set_spacing(GTK_BOX(row), kButtonSpacing);
  for (int i = 0; i < plan.buttons.count; ++i) {
    const std::string label = MnemonicLabel(plan.language, plan.buttons.ids[i]);
    GtkWidget* button = gtk_button_new_with_mnemonic(label.c_str());
    gtk_widget_set_can_default(button, TRUE);
    gtk_container_add(GTK_CONTAINER(row), button);
    widgets.buttons[i] = button;
  }
  return row;
}

// Icon, text and countdown beside and under each other.
GtkWidget* Content(const BoxPlan& plan, const std::string& text,
                   int timeoutSeconds, BoxWidgets& widgets) {
  GtkWidget* content = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, kSpacing);
  if (const char* icon = IconName(plan.look.icon)) {
    GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    gtk_box_pack_start(GTK_BOX(content), image, FALSE, FALSE, 0);
  }
  GtkWidget* texts = gtk_box_new(GTK_ORIENTATION_VERTICAL, kSpacing);
  gtk_box_pack_start(GTK_BOX(texts), MessageLabel(plan, text), FALSE, FALSE, 0);
  if (timeoutSeconds > 0) {
    widgets.countdown = CountdownLabel(plan, timeoutSeconds);
    gtk_box_pack_start(GTK_BOX(texts), widgets.countdown, FALSE, FALSE, 0);
  }
  gtk_box_pack_start(GTK_BOX(content), texts, TRUE, TRUE, 0);
  return content;
}

// gtk_widget_set_direction does not reach a widget's children.
void SetDirection(GtkWidget* widget, gpointer direction) {
  gtk_widget_set_direction(
      widget, static_cast<GtkTextDirection>(GPOINTER_TO_INT(direction)));
  if (GTK_IS_CONTAINER(widget)) {
    gtk_container_forall(GTK_CONTAINER(widget), SetDirection, direction);
  }
}

void SetUpWindow(GtkWindow* window, const BoxPlan& plan,
                 const std::string& caption) {
  gtk_window_set_title(window, caption.c_str());
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(window, plan.look.topmost);
  // A box that must be answered offers no close button.
  gtk_window_set_deletable(window, Closable(plan));
  gtk_container_set_border_width(GTK_CONTAINER(window), kBorder);
  // An alert, as GTK's own message dialogs are: a screen reader reads the
  // message, and the icon and countdown with it, as soon as the box appears,
  // not only its title and the focused button.
  atk_object_set_role(gtk_widget_get_accessible(GTK_WIDGET(window)),
                      ATK_ROLE_ALERT);
}

}  // namespace

BoxWidgets BuildBoxWindow(const BoxPlan& plan, const std::string& caption,
                          const std::string& text, int timeoutSeconds) {
  BoxWidgets widgets;
  widgets.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(widgets.window);
  SetUpWindow(window, plan, caption);

  GtkWidget* layout = gtk_box_new(GTK_ORIENTATION_VERTICAL, kSpacing);
  gtk_box_pack_start(GTK_BOX(layout),
                     Content(plan, text, timeoutSeconds, widgets), TRUE, TRUE,
                     0);
  gtk_box_pack_start(GTK_BOX(layout), ButtonBox(plan, widgets), FALSE, FALSE,
                     0);
  gtk_container_add(GTK_CONTAINER(window), layout);
  if (plan.look.rightToLeft) {
    SetDirection(widgets.window, GINT_TO_POINTER(GTK_TEXT_DIR_RTL));
  }
  // Measured in place, with the font the label has in the window.
  if (widgets.countdown != nullptr) {
    const int width =
        WidestCountdown(widgets.countdown, plan.language, timeoutSeconds);
    gtk_widget_set_size_request(widgets.countdown, width, -1);
  }

  GtkWidget* first = widgets.buttons[plan.defaultIndex];
  gtk_window_set_default(window, first);
  return widgets;
}

}  // namespace vorlick
