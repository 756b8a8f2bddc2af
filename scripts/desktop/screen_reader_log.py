"""What a screen reader hears from the window, step by step: runs the window
on a demo home, moves the keyboard focus and presses keys as a user does,
and writes each focus the accessibility bus reports (name, role,
description) under the step that caused it. Run on a private desktop:
    scripts/desktop/with_desktop.sh /usr/bin/python3 scripts/desktop/screen_reader_log.py ZENTREL_PROGRAM [LOG]"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import demo_home  # noqa: E402
import desktop_driver as d  # noqa: E402
from gi.repository import Atspi, GLib  # noqa: E402

program = sys.argv[1]
out = open(sys.argv[2], "w") if len(sys.argv) > 2 else sys.stdout
home = os.environ["ZENTREL_TEST_HOME"]
heard = []


def said(node):
    try:
        words = [node.get_name() or "", node.get_role_name()]
        states = node.get_state_set()
        if node.get_role_name() == "check box":
            words.append("checked" if states.contains(Atspi.StateType.CHECKED) else "not checked")
        description = node.get_description()
        if description:
            words.append(f"({description})")
        return " ".join(word for word in words if word)
    except Exception as error:  # an element gone meanwhile
        return f"<gone: {error}>"


def on_focus(event):
    if event.detail1 == 1:
        heard.append(said(event.source))


def on_focus_change(mark):
    # A new name or description of the focus is said too, as when a button says why it did nothing.
    def heard_change(event):
        try:
            if event.source.get_state_set().contains(Atspi.StateType.FOCUSED):
                heard.append(f"({mark}) {said(event.source)}")
        except Exception:
            pass
    return heard_change


listener = Atspi.EventListener.new(on_focus)
listener.register("object:state-changed:focused")
renames = Atspi.EventListener.new(on_focus_change("renamed"))
renames.register("object:property-change:accessible-name")
describes = Atspi.EventListener.new(on_focus_change("described"))
describes.register("object:property-change:accessible-description")


def pump(seconds):
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        time.sleep(0.05)


def wait_for(what, check, timeout=60.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = check()
        if found:
            return found
        pump(0.2)
    raise AssertionError(f"timed out waiting for {what}")


def step(title, action, settle=1.5):
    heard.clear()
    action()
    pump(settle)
    print(f"* {title}", file=out)
    for words in heard or ["(nothing)"]:
        print(f"    {words}", file=out)
    out.flush()


def focus_and_press(node, key="Return"):
    node.get_component_iface().grab_focus()
    pump(0.3)
    d.key(key, window_name="")


def button(name=None, prefix=None, timeout=60.0):
    return wait_for(f"the button {name or prefix}",
                    lambda: d.find("push button", name, prefix, enabled=True), timeout)


def clean_button():
    # "Clean 1.8 MB", or "Remove 3 tracker cookies" where only cookies are ticked.
    return wait_for("the clean button", lambda: d.find("push button", prefix="Clean ", enabled=True)
                    or d.find("push button", prefix="Remove ", enabled=True))


def preview_button():
    for app in d.applications():
        for node in d.nodes(app):
            try:
                if node.get_role_name() == "push button" and node.get_description() == "Opens a preview of this file.":
                    return node
            except Exception:
                continue
    return None


def select_page(title):
    row = wait_for(f"the sidebar row {title}", lambda: d.find("list item", prefix=title))
    d.press(row)
    pump(1.0)


def confirm_delete():
    confirm = wait_for("the confirmation", lambda: d.find("push button", prefix="Delete ", enabled=True)
                       or d.find("push button", prefix="Remove ", enabled=True))
    d.key("Tab", window_name="")  # from Cancel, the default of a destructive question
    pump(0.3)
    focus_and_press(confirm)
    # Xvfb runs no window manager: the main window is given the input focus
    # back as a desktop's would give it when the question closes.
    pump(0.5)
    for window in d.windows("^Zentrel$"):
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)


def close_sweep_log():
    if not d.windows("^Sweep Log$"):
        print("    (no sweep log is open)", file=out)
        return
    d.key("Escape", window_name="^Sweep Log$")
    pump(0.5)
    for window in d.windows("^Zentrel$"):
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)


demo_home.make(home)
window = d.start(program)
try:
    full_scan = button("Full Scan")
    pump(2)
    step("Full Scan (Return on the header's Full Scan)", lambda: focus_and_press(full_scan))
    step("the scan ends", lambda: wait_for("the scan's end", lambda: d.find("push button", prefix="Clean ")), 3)
    tile = wait_for("a tile", lambda: d.find("push button", prefix="Trash"))
    step("Return on the Trash tile", lambda: focus_and_press(tile))
    box = wait_for("a check box", lambda: d.find("check box"))
    step("Tab to a check box", lambda: box.get_component_iface().grab_focus())
    step("Space: untick", lambda: d.key("space", window_name=""))
    step("Space: tick again", lambda: d.key("space", window_name=""))
    step("Return on Clean", lambda: focus_and_press(clean_button()))
    step("confirm: Delete", confirm_delete, 4)
    step("Return on Done", lambda: focus_and_press(button("Done")), 2)

    select_page("Privacy Data")
    step("Return on Select Trackers", lambda: focus_and_press(button("Select Trackers")))
    step("Return on Clean", lambda: focus_and_press(clean_button()))
    step("confirm: Delete", confirm_delete, 4)
    undo = wait_for("the sweep log", lambda: d.find("push button", prefix="Undo "), 30)
    step("Return on an Undo", lambda: focus_and_press(undo), 3)
    step("Escape: the sweep log closes", close_sweep_log, 2)

    select_page("Smart Cleanup")
    step("Return on Smart Cleanup's apply", lambda: focus_and_press(button(prefix="Apply")))
    step("confirm: Delete", confirm_delete, 4)
    # The demo home holds a file that cannot be deleted: its alert says so.
    step("Return on the alert's OK", lambda: focus_and_press(button("OK", timeout=10)), 2)
    # Its privacy traces went too: the sweep log opens; Escape closes it.
    step("Escape: the sweep log closes", close_sweep_log, 2)

    select_page("Duplicate Files")
    for index in range(4):
        step(f"Tab through the duplicates ({index + 1})", lambda: d.key("Tab", window_name=""), 0.8)
    # The private desktop runs no file previewer: the button says so.
    step("Return on a preview (no previewer here)", lambda: focus_and_press(wait_for("a preview", preview_button)))
    copy_box = wait_for("a copy's check box", lambda: d.find("check box"))
    step("a copy's check box", lambda: copy_box.get_component_iface().grab_focus())
    # Smart Cleanup left the copies unticked: tick, untick, tick again.
    step("Space: tick it", lambda: d.key("space", window_name=""))
    step("Space: untick it", lambda: d.key("space", window_name=""))
    step("Space: tick it again", lambda: d.key("space", window_name=""))
    step("Return on Clean", lambda: focus_and_press(clean_button()))
    step("confirm: Delete", confirm_delete, 4)
finally:
    window.terminate()
    window.wait(10)
    demo_home.release(home)
