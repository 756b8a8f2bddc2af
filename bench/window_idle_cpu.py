"""The idle window's CPU time per page; run by bench/window_idle_cpu on a
private desktop.
    window_idle_cpu.py ZENTREL_PROGRAM"""

import json
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "scripts", "desktop"))
import demo_home  # noqa: E402
import desktop_driver as d  # noqa: E402

program = sys.argv[1]
home = os.environ["ZENTREL_TEST_HOME"]
span = float(os.environ.get("ZENTREL_IDLE_SPAN", "10"))
# Longer than the backdrop takes to rest after the last input.
settle = 15.0
ticks_per_second = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / ticks_per_second


def focus_window():
    found = d.wait_for("the window", lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^Zentrel$"], capture_output=True, text=True).stdout.split())
    subprocess.run(["xdotool", "windowsize", found[-1], "1100", "720"], check=True)
    subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True)


def measure(app, page):
    focus_window()
    time.sleep(settle)
    before, start = cpu_seconds(app.pid), time.monotonic()
    time.sleep(span)
    share = (cpu_seconds(app.pid) - before) / (time.monotonic() - start) * 100
    print(f"{page:<20} {share:5.2f} % of a core{'' if share < 1 else '   (over 1 %)'}", flush=True)


def session(onboarded, pages):
    demo_home.release(home)
    shutil.rmtree(home)
    os.makedirs(home)
    try:
        demo_home.make(home, onboarded)
        app = d.start(program)
        try:
            pages(app)
        finally:
            app.terminate()
            app.wait(10)
    finally:
        demo_home.release(home)


def onboarding(app):
    d.wait_for("the onboarding", lambda: d.find("push button", "Continue"))
    measure(app, "Onboarding")


def main_pages(app):
    d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    measure(app, "Overview")
    for page in ("Smart Cleanup", "Boost", "Uninstall Apps", "Vietnamese Typing", "Settings"):
        d.press(d.wait_for(f"the sidebar row {page}", lambda: d.find("list item", prefix=page)))
        d.wait_for(f"the page {page}", lambda: page in d.labels())
        measure(app, page)


print(f"idle CPU, {span:.0f} s per page after {settle:.0f} s at rest")
session(False, onboarding)
session(True, main_pages)
