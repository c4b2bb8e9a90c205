/* The yardstick for the GTK box's start-up: the least a GTK 3 program does
   to show a window with a line of text. */
#include <gtk/gtk.h>

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Question");
  gtk_container_add(GTK_CONTAINER(window),
                    gtk_label_new("Do you want to go on?"));
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
