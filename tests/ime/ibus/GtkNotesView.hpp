#pragma once
// What the GTK 3 and GTK 4 test windows share (the text view's API is the
// same in both): reporting a widget's change (see TestWindowProcess.hpp), and
// the "notes" text view, whose text is reported on one line with line breaks
// as "⏎" and tabs as "⇥".

#include <gtk/gtk.h>

#include <cstdio>
#include <string>

namespace zentrel::testing::gtk {

inline void report(const char* kind, GtkWidget* widget, const char* text) {
    std::printf("%s %s %s\nat %lld\n", kind, gtk_widget_get_name(widget), text,
                static_cast<long long>(g_get_monotonic_time()));
    std::fflush(stdout);
}

inline void notesChanged(GtkTextBuffer* buffer, gpointer view) {
    GtkTextIter start;
    GtkTextIter end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
    std::string line;
    for (const char* c = text; *c != '\0'; ++c) line += *c == '\n' ? "⏎" : *c == '\t' ? "⇥" : std::string(1, *c);
    g_free(text);
    report("text", GTK_WIDGET(view), line.c_str());
}

inline void notesPreeditChanged(GtkTextView* view, gchar* preedit, gpointer) {
    report("preedit", GTK_WIDGET(view), preedit);
}

inline GtkWidget* notesView() {
    GtkWidget* view = gtk_text_view_new();
    gtk_widget_set_name(view, "notes");
    gtk_widget_set_size_request(view, -1, 80);
    g_signal_connect(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), "changed", G_CALLBACK(notesChanged), view);
    g_signal_connect(view, "preedit-changed", G_CALLBACK(notesPreeditChanged), nullptr);
    return view;
}

}  // namespace zentrel::testing::gtk
