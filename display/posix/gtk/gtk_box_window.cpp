#include "gtk_box_window.h"

#include "box_text.h"
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

// The text's reading order and alignment. Right-to-left reading turns the
// text alone, not the box: the icon stays on its left and the buttons in
// their order, as in the Windows box. MB_RIGHT means the right side on
// screen; GTK's alignment follows the reading direction, so in
// right-to-left text the right side is the start.
void SetReading(GtkWidget* label, const BoxPlan& plan) {
  if (plan.look.rightToLeft) {
    gtk_widget_set_direction(label, GTK_TEXT_DIR_RTL);
  }
  const bool toEnd = plan.look.rightAligned != plan.look.rightToLeft;
  gtk_label_set_justify(GTK_LABEL(label),
                        toEnd ? GTK_JUSTIFY_RIGHT : GTK_JUSTIFY_LEFT);
  gtk_label_set_xalign(GTK_LABEL(label), toEnd ? 1.0f : 0.0f);
}

GtkWidget* MessageLabel(const BoxPlan& plan, const std::string& body) {
  // Plain text: no markup and no access keys are read from the caller's text.
  GtkWidget* label = gtk_label_new(
      plan.look.rightToLeft ? RightToLeft(body).c_str() : body.c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
  gtk_label_set_max_width_chars(GTK_LABEL(label), kTextWidthChars);
  SetReading(label, plan);
  return label;
}

int PixelWidth(PangoLayout* layout, const char* text) {
  pango_layout_set_text(layout, text, -1);
  int width = 0;
  pango_layout_get_pixel_size(layout, &width, nullptr);
  return width;
}

// The width of the widest line the countdown can show (WidestCountdown), in
// the label's own font.
int CountdownWidth(GtkWidget* label, Language language, int timeout) {
  PangoLayout* layout = gtk_widget_create_pango_layout(label, nullptr);
  char16_t widest = u'0';
  int widestWidth = 0;
  for (char digit = '0'; digit <= '9'; ++digit) {
    const char text[2] = {digit, 0};
    const int width = PixelWidth(layout, text);
    if (width > widestWidth) {
      widest = static_cast<char16_t>(digit);
      widestWidth = width;
    }
  }
  char16_t line[kCountdownUnits];
  WidestCountdown(language, timeout, widest, line);
  const int width = PixelWidth(layout, ToDisplayText(line).c_str());
  g_object_unref(layout);
  return width;
}

// For assistive technologies a timer: its text changes every second, and a
// screen reader reads it when asked, without announcing every change (as it
// would a live region).
GtkWidget* CountdownLabel(const BoxPlan& plan, int timeout) {
  GtkWidget* label = gtk_label_new(
      CountdownLine(plan.language, static_cast<std::uint64_t>(timeout))
          .c_str());
  SetReading(label, plan);
  atk_object_set_role(gtk_widget_get_accessible(label), ATK_ROLE_TIMER);
  return label;
}

// The label as a GTK button takes it, its access key marked with '_' on
// every button ("_Ja", "_OK", "キャンセル(_C)"); a '_' of the label itself
// is doubled.
std::string MnemonicLabel(Language language, int buttonId) {
  const Label label = KeyedLabel(language, buttonId);
  char16_t marked[2 * kLabelUnits];
  int length = 0;
  for (int i = 0; i < label.length; ++i) {
    if (i == label.key || label.text[i] == u'_') marked[length++] = u'_';
    marked[length++] = label.text[i];
  }
  marked[length] = 0;
  return ToDisplayText(marked);
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
GtkWidget* Content(const BoxPlan& plan, const std::string& body, int timeout,
                   BoxWidgets& widgets) {
  GtkWidget* content = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, kSpacing);
  if (const char* icon = IconName(plan.look.icon)) {
    GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    gtk_box_pack_start(GTK_BOX(content), image, FALSE, FALSE, 0);
  }
  GtkWidget* texts = gtk_box_new(GTK_ORIENTATION_VERTICAL, kSpacing);
  gtk_box_pack_start(GTK_BOX(texts), MessageLabel(plan, body), FALSE, FALSE, 0);
  if (timeout > 0) {
    widgets.countdown = CountdownLabel(plan, timeout);
    gtk_box_pack_start(GTK_BOX(texts), widgets.countdown, FALSE, FALSE, 0);
  }
  gtk_box_pack_start(GTK_BOX(content), texts, TRUE, TRUE, 0);
  return content;
}

void SetUpWindow(GtkWindow* window, const BoxPlan& plan,
                 const std::string& title) {
  gtk_window_set_title(window, title.c_str());
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

BoxWidgets BuildBoxWindow(const BoxPlan& plan, const std::string& title,
                          const std::string& body, int timeout) {
  BoxWidgets widgets;
  widgets.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(widgets.window);
  SetUpWindow(window, plan, title);

  GtkWidget* layout = gtk_box_new(GTK_ORIENTATION_VERTICAL, kSpacing);
  gtk_box_pack_start(GTK_BOX(layout), Content(plan, body, timeout, widgets),
                     TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(layout), ButtonBox(plan, widgets), FALSE, FALSE,
                     0);
  gtk_container_add(GTK_CONTAINER(window), layout);
  // Measured in place, with the font the label has in the window.
  if (widgets.countdown != nullptr) {
    const int width = CountdownWidth(widgets.countdown, plan.language, timeout);
    gtk_widget_set_size_request(widgets.countdown, width, -1);
  }

  GtkWidget* first = widgets.buttons[plan.defaultIndex];
  gtk_window_set_default(window, first);
  return widgets;
}

}  // namespace vorlick
