"""The tray popover end to end on a private desktop with a stand-in tray: a
click on the tray icon opens the popover, "Open Zentrel" shows the main
window again after it was closed, and "Boost" opens the Boost page.
    tray_end_to_end.py ZENTREL_PROGRAM"""

import ctypes
import ctypes.util
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../../scripts/desktop"))
import desktop_driver as d  # noqa: E402
import tray_host  # noqa: E402

from gi.repository import Atspi  # noqa: E402

program = sys.argv[1]
home = os.environ["ZENTREL_TEST_HOME"]


def main_window():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Zentrel$"], capture_output=True,
                           text=True)
    ids = found.stdout.split()
    return ids[-1] if ids else None


def close(window):
    """Asks the window to close, as a window manager's close button does."""
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
    x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = int(window)
    event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, int(window), 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def showing(node):
    return node is not None and node.get_state_set().contains(Atspi.StateType.SHOWING)


def selected(node):
    return node is not None and node.get_state_set().contains(Atspi.StateType.SELECTED)


def showing_labels(name):
    return [node for app in d.applications() for node in d.nodes(app)
            if node.get_role_name() == "label" and node.get_name() == name and showing(node)]


def popover_button(name):
    button = d.find("push button", name)
    return button if showing(button) else None


def open_popover():
    item = d.wait_for("the tray icon", lambda: tray_host.items(), 10)[0]
    tray_host.click(item)
    return d.wait_for("the popover", lambda: popover_button("Open Zentrel"), 10)


os.makedirs(os.path.join(home, ".config/zentrel"), exist_ok=True)
with open(os.path.join(home, ".config/zentrel/com.torvane.zentrel.json"), "w") as settings:
    json.dump({"hasCompletedOnboarding": True}, settings)

tray = tray_host.start()
app = d.start(program)
try:
    d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    window = d.wait_for("the main window on screen", main_window)

    d.press(open_popover())
    d.wait_for("the popover to close", lambda: popover_button("Open Zentrel") is None)
    close(window)
    d.wait_for("the main window to close", lambda: main_window() is None)
    d.press(open_popover())
    d.wait_for("the main window shown again", main_window)
    assert app.poll() is None, "closing the main window quit the program"

    open_popover()
    d.press(popover_button("Boost"))
    d.wait_for("the Boost row selected", lambda: selected(d.find("list item", prefix="Boost")))
    d.wait_for("the popover to close", lambda: popover_button("Boost") is None)
    # The sidebar's row and the page's title.
    d.wait_for("the Boost page", lambda: len(showing_labels("Boost")) >= 2)
    print("ok")
finally:
    app.terminate()
    app.wait(10)
    tray.kill()
    tray.wait(10)
