"""The window keeps answering beside GTK 3 programs on the accessibility bus:
for each typing mode, one GTK 3 program runs before the window starts and a
second one starts after it; the window must answer a question of the
accessibility bus within a second, again and again, meanwhile.
    beside_gtk_programs.py ZENTREL_PROGRAM"""

import json
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../../scripts/desktop"))
import desktop_driver as d  # noqa: E402
from desktop_driver import Atspi  # noqa: E402

program = sys.argv[1]
home = os.environ["ZENTREL_TEST_HOME"]
gtk_program = os.path.join(os.path.dirname(__file__), "gtk3_program.py")
ANSWER_WITHIN_MS = 1000


def settings(mode):
    os.makedirs(os.path.join(home, ".config/zentrel"), exist_ok=True)
    with open(os.path.join(home, ".config/zentrel/com.torvane.zentrel.json"), "w") as file:
        json.dump({"hasCompletedOnboarding": True, "vietIMEEnabled": True, "vietIMEIntegrationMode": mode}, file)


def window_answers(frame):
    """One uncached question to the window, answered within the limit."""
    try:
        frame.get_extents(Atspi.CoordType.SCREEN)
        return True
    except Exception:
        return False


def frame_of_window():
    for app in d.applications():
        for index in range(app.get_child_count()):
            child = app.get_child_at_index(index)
            if child is not None and child.get_role_name() == "frame":
                return child
    return None


def check_answers(what, frame, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        started = time.monotonic()
        assert window_answers(frame), f"{what}: the window did not answer within a second"
        assert time.monotonic() - started < ANSWER_WITHIN_MS / 1000 + 0.2, f"{what}: the window answered late"
        time.sleep(0.1)


def start_gtk(title):
    return subprocess.Popen(["/usr/bin/python3", gtk_program, title], stderr=subprocess.DEVNULL)


Atspi.set_timeout(ANSWER_WITHIN_MS, ANSWER_WITHIN_MS)
for mode in ("cgEvent", "hybrid", "imkit"):
    settings(mode)
    before = start_gtk("GTK before")
    d.wait_for("the GTK 3 program", lambda: d.applications("gtk3_program.py") or d.applications("GTK before"))
    window = d.start(program)
    after = None
    try:
        frame = d.wait_for("the window", frame_of_window)
        check_answers(f"{mode}, one GTK 3 program", frame, 3)
        after = start_gtk("GTK after")
        check_answers(f"{mode}, a GTK 3 program started after the window", frame, 4)
        assert window.poll() is None, f"{mode}: the window program ended"
        # Asked to stop, it ends as its Quit does, putting the keyboard map back.
        window.terminate()
        assert window.wait(10) == 0, f"{mode}: the window program did not end cleanly on SIGTERM"
    finally:
        for process in (window, before, after):
            if process is not None:
                process.terminate()
                process.wait(10)
print("ok")
