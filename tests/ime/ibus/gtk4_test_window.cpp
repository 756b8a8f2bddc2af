// A GTK 4 window with two text entries, "first" and "second", and a text
// view, "notes", reporting as the GTK 3 window does (see gtk_test_window.cpp). GTK 4 cannot place a
// window, so the X and Y arguments are ignored; where it is comes from the
// X server once it shows.

#include <X11/Xlib.h>
#include <gdk/x11/gdkx.h>
#include <gtk/gtk.h>

#include "GtkNotesView.hpp"

#include <cstdio>

namespace {

using zentrel::testing::gtk::notesView;
using zentrel::testing::gtk::report;

void textChanged(GtkEditable* entry, gpointer) { report("text", GTK_WIDGET(entry), gtk_editable_get_text(entry)); }

void preeditChanged(GtkText*, gchar* preedit, gpointer entry) { report("preedit", GTK_WIDGET(entry), preedit); }

void activated(GtkEntry* entry, gpointer) {
    std::printf("text submitted %s\n", gtk_editable_get_text(GTK_EDITABLE(entry)));
    std::fflush(stdout);
}

GtkWidget* entryNamed(const char* name) {
    GtkWidget* entry = gtk_entry_new();
    gtk_widget_set_name(entry, name);
    g_signal_connect(entry, "changed", G_CALLBACK(textChanged), nullptr);
    g_signal_connect(entry, "activate", G_CALLBACK(activated), nullptr);
    // The preedit belongs to the text widget inside the entry.
    g_signal_connect(gtk_editable_get_delegate(GTK_EDITABLE(entry)), "preedit-changed", G_CALLBACK(preeditChanged),
                     entry);
    return entry;
}

struct Layout {
    GtkWidget* window;
    GtkWidget* entries[3];
};

// On the first frame with the entries laid out: where the window and its entries are.
gboolean reportLayout(GtkWidget* window, GdkFrameClock*, gpointer data) {
    const auto* layout = static_cast<const Layout*>(data);
    GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
    if (surface == nullptr || !gdk_surface_get_mapped(surface) || gtk_widget_get_width(layout->entries[0]) == 0) {
        return G_SOURCE_CONTINUE;
    }
    const Window xid = gdk_x11_surface_get_xid(surface);
    Display* display = gdk_x11_display_get_xdisplay(gtk_widget_get_display(window));
    int originX = 0;
    int originY = 0;
    Window child = 0;
    XTranslateCoordinates(display, xid, DefaultRootWindow(display), 0, 0, &originX, &originY, &child);
    double shadowX = 0;
    double shadowY = 0;
    gtk_native_get_surface_transform(GTK_NATIVE(window), &shadowX, &shadowY);
    std::printf("window %lu\n", static_cast<unsigned long>(xid));
    for (GtkWidget* entry : layout->entries) {
        double x = 0;
        double y = 0;
        gtk_widget_translate_coordinates(entry, window, gtk_widget_get_width(entry) / 2.0,
                                         gtk_widget_get_height(entry) / 2.0, &x, &y);
        std::printf("entry %s %d %d\n", gtk_widget_get_name(entry), originX + static_cast<int>(x + shadowX),
                    originY + static_cast<int>(y + shadowY));
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return G_SOURCE_REMOVE;
}

}  // namespace

int main(int, char** argv) {
    // As GtkApplication does, so that IBus hears the program's name.
    gchar* name = g_path_get_basename(argv[0]);
    g_set_prgname(name);
    g_free(name);
    gtk_init();
    GtkWidget* window = gtk_window_new();
    gtk_window_set_title(GTK_WINDOW(window), "GTK 4 entries");
    gtk_window_set_default_size(GTK_WINDOW(window), 400, 200);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
    Layout layout{window, {entryNamed("first"), entryNamed("second"), notesView()}};
    for (GtkWidget* entry : layout.entries) gtk_box_append(GTK_BOX(box), entry);
    gtk_window_set_child(GTK_WINDOW(window), box);
    gtk_widget_add_tick_callback(window, reportLayout, &layout, nullptr);
    gtk_window_present(GTK_WINDOW(window));
    while (g_list_model_get_n_items(gtk_window_get_toplevels()) > 0) g_main_context_iteration(nullptr, TRUE);
    return 0;
}
