"""A small GTK 3 program with a text field, on the accessibility bus like any
GTK 3 application of the desktop.
    gtk3_program.py TITLE"""

import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

window = Gtk.Window(title=sys.argv[1] if len(sys.argv) > 1 else "GTK 3 program")
entry = Gtk.Entry()
window.add(entry)
window.connect("destroy", Gtk.main_quit)
window.show_all()
entry.grab_focus()
Gtk.main()
