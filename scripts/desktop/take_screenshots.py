"""Takes the window program's screenshots on a private desktop: the first
run, then the content at two sizes before and after a scan, the smart
cleanup and privacy pages and the cleaned page, then the Boost page with
two demo applications running, the uninstaller and its detail sheet.
    take_screenshots.py ZENTREL_PROGRAM OUT_DIR APPEARANCE"""

import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import demo_home  # noqa: E402
import desktop_driver as d  # noqa: E402

program, out, appearance = sys.argv[1:4]
home = os.environ["ZENTREL_TEST_HOME"]
os.makedirs(out, exist_ok=True)


def window_id(title="Zentrel"):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], capture_output=True, text=True)
    ids = found.stdout.split()
    return ids[-1] if ids else None


def scroll_down(clicks):
    window = d.wait_for("the window", window_id)
    subprocess.run(["xdotool", "mousemove", "--window", window, "600", "400", "click", "--repeat", str(clicks), "5"],
                   check=True)


def shoot(name, size=None, title="Zentrel"):
    window = d.wait_for(f"the window {title}", lambda: window_id(title))
    if size:
        subprocess.run(["xdotool", "windowsize", window, str(size[0]), str(size[1])], check=True)
    time.sleep(0.8)
    subprocess.run(["import", "-window", window, os.path.join(out, f"{name}-{appearance}.png")], check=True)


def select_page(title):
    item = d.wait_for(f"the sidebar row {title}", lambda: d.find("list item", prefix=title))
    d.press(item)
    d.wait_for(f"the page {title}", lambda: title in d.labels())


def run(onboarded, steps):
    shutil.rmtree(home)
    os.makedirs(home)
    demo_home.make(home, onboarded)
    if appearance == "dark":
        keyfile = os.path.join(home, ".config/glib-2.0/settings/keyfile")
        os.makedirs(os.path.dirname(keyfile), exist_ok=True)
        with open(keyfile, "w") as file:
            file.write("[org/gnome/desktop/interface]\ncolor-scheme='prefer-dark'\n")
    app = d.start(program)
    try:
        steps()
    finally:
        app.terminate()
        app.wait(10)


def first_run():
    d.wait_for("onboarding", lambda: d.find("push button", "Get Started"))
    shoot("onboarding")


def content():
    full_scan = d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    shoot("overview-900x600", (900, 600))
    shoot("overview", (1100, 720))
    d.press(full_scan)
    d.wait_for("the scan's end", lambda: d.find("push button", prefix="Clean ", enabled=True), 90)
    shoot("overview-scanned")
    select_page("Smart Cleanup")
    shoot("smart-cleanup")
    shoot("smart-cleanup-900x600", (900, 600))
    select_page("Privacy")
    shoot("privacy", (1100, 720))


def tool_pages():
    d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    select_page("Boost")
    d.wait_for("the demo applications", lambda: d.find("list item", "Notefold"), 60)
    shoot("boost", (1100, 720))
    shoot("boost-900x600", (900, 600))
    scroll_down(8)
    shoot("boost-list-900x600")
    select_page("Uninstall Apps")
    row = d.wait_for("the demo applications", lambda: d.find("list item", "Notefold"), 60)
    shoot("uninstall", (1100, 720))
    shoot("uninstall-900x600", (900, 600))
    d.press(row)
    d.wait_for("the detail sheet", lambda: d.find("push button", prefix="Gỡ "))
    shoot("uninstall-sheet", title="Notefold")


run(False, first_run)
run(True, content)
demo_apps = demo_home.run_applications()
try:
    run(True, tool_pages)
finally:
    for demo_app in demo_apps:
        demo_app.terminate()
        demo_app.wait(10)
