// A GTK 3 window with two text entries, "first" and "second", and a text
// view, "notes", for the input method's end-to-end test. Placed at the X and Y given as arguments; reports
// on standard output, one line each, what the test needs (see
// TestWindowProcess.hpp): the window, the centre of each entry, then every
// change of an entry's text and preedit. Return in an entry reports its text
// as "submitted"; the view's text is one line, line breaks as "⏎" and tabs as "⇥".

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include "GtkNotesView.hpp"

#include <cstdio>
#include <cstdlib>

namespace {

using zentrel::testing::gtk::notesView;
using zentrel::testing::gtk::report;

void textChanged(GtkEditable* entry, gpointer) { report("text", GTK_WIDGET(entry), gtk_entry_get_text(GTK_ENTRY(entry))); }

void preeditChanged(GtkEntry* entry, gchar* preedit, gpointer) { report("preedit", GTK_WIDGET(entry), preedit); }

void activated(GtkEntry* entry, gpointer) {
    std::printf("text submitted %s\n", gtk_entry_get_text(entry));
    std::fflush(stdout);
}

GtkWidget* entryNamed(const char* name) {
    GtkWidget* entry = gtk_entry_new();
    gtk_widget_set_name(entry, name);
    g_signal_connect(entry, "changed", G_CALLBACK(textChanged), nullptr);
    g_signal_connect(entry, "preedit-changed", G_CALLBACK(preeditChanged), nullptr);
    g_signal_connect(entry, "activate", G_CALLBACK(activated), nullptr);
    return entry;
}

// Once the window is on screen: where it is and where its entries are.
gboolean reportLayout(GtkWidget* window, GdkEvent*, gpointer entries) {
    GdkWindow* native = gtk_widget_get_window(window);
    std::printf("window %lu\n", static_cast<unsigned long>(gdk_x11_window_get_xid(native)));
    int originX = 0;
    int originY = 0;
    gdk_window_get_origin(native, &originX, &originY);
    for (GList* item = static_cast<GList*>(entries); item != nullptr; item = item->next) {
        GtkWidget* entry = GTK_WIDGET(item->data);
        GtkAllocation box;
        gtk_widget_get_allocation(entry, &box);
        int x = 0;
        int y = 0;
        gtk_widget_translate_coordinates(entry, window, box.width / 2, box.height / 2, &x, &y);
        std::printf("entry %s %d %d\n", gtk_widget_get_name(entry), originX + x, originY + y);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "GTK entries");
    gtk_window_set_default_size(GTK_WINDOW(window), 400, 200);
    if (argc > 2) gtk_window_move(GTK_WINDOW(window), std::atoi(argv[1]), std::atoi(argv[2]));
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
    GtkWidget* first = entryNamed("first");
    GtkWidget* second = entryNamed("second");
    gtk_box_pack_start(GTK_BOX(box), first, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), second, FALSE, FALSE, 0);
    GtkWidget* notes = notesView();
    gtk_box_pack_start(GTK_BOX(box), notes, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window), box);

    GList* entries = g_list_append(g_list_append(g_list_append(nullptr, first), second), notes);
    g_signal_connect(window, "map-event", G_CALLBACK(reportLayout), entries);
    gtk_widget_show_all(window);
    gtk_main();
    g_list_free(entries);
    return 0;
}
